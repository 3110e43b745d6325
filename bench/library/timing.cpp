// The timing harness; see timing.h.
#include "timing.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <limits>

namespace {

// Written through volatiles, so the compiler must produce every value stored.
// Living in their own file, they are out of sight of the callers' optimiser.
volatile std::size_t sink;
const void* volatile memory_sink;

}  // namespace

void Consume(std::size_t value)
{
    sink = value;
}

void ConsumeMemory(const void* memory)
{
    memory_sink = memory;
}

double BestNanosecondsPerOperation(const Operation& operation, const TrialSettings& settings)
{
    using Clock = std::chrono::steady_clock;
    const std::chrono::duration<double> min_duration(settings.min_trial_seconds);
    double best = std::numeric_limits<double>::infinity();
    for (int trial = 0; trial < settings.trials; ++trial) {
        std::uint64_t calls = 0;
        std::uint64_t batch = 1;
        const Clock::time_point start = Clock::now();
        Clock::duration elapsed{};
        // Calls go in batches that grow until one lasts a millisecond, so the
        // clock is read too rarely to weigh on the cheapest operations, and a
        // trial of operations that take tens of milliseconds still stops
        // soon after its minimum time.
        do {
            const Clock::time_point batch_start = Clock::now();
            for (std::uint64_t i = 0; i < batch; ++i) {
                Consume(operation());
            }
            calls += batch;
            const Clock::time_point now = Clock::now();
            elapsed = now - start;
            if (now - batch_start < std::chrono::milliseconds(1)) {
                batch *= 2;
            }
        } while (elapsed < min_duration);
        const double nanoseconds = std::chrono::duration<double, std::nano>(elapsed).count();
        best = std::min(best, nanoseconds / static_cast<double>(calls));
    }
    return best;
}
