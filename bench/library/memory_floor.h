// The floor under serializing a large blob into a fresh output buffer: what
// the machine needs to put that many bytes into newly allocated memory.
#pragma once

#include "timing.h"

#include <cstddef>

struct MemoryFloor {
    // Allocating `size` bytes and writing every one of them once: the page
    // faults and zeroing a fresh output buffer costs.
    double touch_nanoseconds = 0;
    // One memcpy of `size` bytes between buffers already in use.
    double copy_nanoseconds = 0;

    double Total() const { return touch_nanoseconds + copy_nanoseconds; }
};

// Both halves timed as the operations are, best of settings.trials.
MemoryFloor MeasureMemoryFloor(std::size_t size, const TrialSettings& settings);
