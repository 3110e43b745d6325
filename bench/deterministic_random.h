// SplitMix64: the same pseudo-random sequence on every machine and every run,
// so that every run of a benchmark measures the same bytes.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>

class Rng {
public:
    explicit Rng(std::uint64_t seed) : _state(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    std::uint32_t Below(std::uint32_t bound) { return static_cast<std::uint32_t>(Next() % bound); }

    void Fill(std::span<std::uint8_t> out)
    {
        std::size_t i = 0;
        for (; i + 8 <= out.size(); i += 8) {
            const std::uint64_t word = Next();
            std::memcpy(out.data() + i, &word, 8);
        }
        if (i < out.size()) {
            const std::uint64_t word = Next();
            std::memcpy(out.data() + i, &word, out.size() - i);
        }
    }

private:
    std::uint64_t _state;
};
