// Property: ExtractUnmanagedCerts throws a std::exception or outputs exactly the bytes of one range of its input.
// The output must point into the input, and its bytes must be the input's bytes at that range.
#include "fuzz_support.h"

#include "extract.h"

#include <cstring>
#include <exception>
#include <functional>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<char> bytes = certpluck_fuzz::ExactCopy(data, size);
    const std::span<const char> input(bytes.data(), bytes.size());
    std::span<const char> output;
    try {
        certpluck::ExtractUnmanagedCerts(input, output);
    } catch (const std::exception&) {
        return 0;
    }
    if (output.empty()) {
        return 0;
    }
    // Pointers into different objects are only ordered by std::less.
    const std::less<const char*> before;
    if (before(output.data(), input.data()) || before(input.data() + input.size(), output.data() + output.size())) {
        certpluck_fuzz::Fail("the output lies outside the input");
    }
    const auto offset = static_cast<size_t>(output.data() - input.data());
    if (std::memcmp(output.data(), data + offset, output.size()) != 0) {
        certpluck_fuzz::Fail("the output differs from the input's bytes at its range");
    }
    return 0;
}
