// The library operations the benchmark times, prepared for one package shape
// and checked once, before any timing, to do their whole job.
#pragma once

#include "package_shapes.h"
#include "timing.h"

#include <cstdint>
#include <string>
#include <vector>

struct TimedOperation {
    std::string name;
    // The size of the encoding the operation reads (decode, unmarshal) or
    // writes (serialize, marshal, re-encode): what its MB/s is counted in.
    std::uint64_t bytes = 0;
    Operation run;
};

// Every operation's name, in the order they are measured.
const std::vector<std::string>& OperationNames();

// The operations for `shape`, which must outlive them. Throws std::runtime_error
// naming the operation when one writes bytes other than those its decoding
// counterpart reads, or decodes to a record other than `shape.record`.
std::vector<TimedOperation> PrepareOperations(const PackageShape& shape);
