// Measures the memory floor; see memory_floor.h.
#include "memory_floor.h"

#include <cstring>
#include <memory>

MemoryFloor MeasureMemoryFloor(std::size_t size, const TrialSettings& settings)
{
    MemoryFloor floor;
    // A block this large comes straight from the kernel and goes back when
    // freed, so every call starts from pages never touched, as a new output
    // buffer does.
    floor.touch_nanoseconds = BestNanosecondsPerOperation(
        [size] {
            const std::unique_ptr<char[]> fresh(new char[size]);
            std::memset(fresh.get(), 0x5A, size);
            ConsumeMemory(fresh.get());
            return size;
        },
        settings);

    const std::shared_ptr<char[]> source(new char[size]);
    const std::shared_ptr<char[]> target(new char[size]);
    std::memset(source.get(), 0xA5, size);
    std::memset(target.get(), 0, size);
    floor.copy_nanoseconds = BestNanosecondsPerOperation(
        [size, source, target] {
            std::memcpy(target.get(), source.get(), size);
            ConsumeMemory(target.get());
            return size;
        },
        settings);
    return floor;
}
