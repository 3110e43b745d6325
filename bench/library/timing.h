// The timing harness: runs one operation over and over and reports the best
// per-operation time of a few trials.
#pragma once

#include <cstddef>
#include <functional>

struct TrialSettings {
    double min_trial_seconds = 0.2;
    int trials = 3;
};

// An operation returns something derived from what it produced (a size, a
// count); the harness consumes it so the work cannot be optimised away.
using Operation = std::function<std::size_t()>;

// Makes `value` observable from outside the program.
void Consume(std::size_t value);

// Hands `memory` to code the compiler cannot see, so every write to it before
// the call must really happen.
void ConsumeMemory(const void* memory);

// Nanoseconds per call of `operation`: each trial calls it until at least
// settings.min_trial_seconds have passed, and the fastest trial counts, since
// interference from the rest of the machine only ever adds time.
double BestNanosecondsPerOperation(const Operation& operation, const TrialSettings& settings);
