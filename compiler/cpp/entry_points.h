// The serialization entry points of a record, as NAME_apply.h declares them
// and NAME_apply.cpp defines them: for each transform, every value form it
// takes over the protocols the entry points serve (46 with all three).
#pragma once

#include "compiler/cpp/cpp_options.h"

#include <string>
#include <vector>

namespace certpluck::gbc::cpp {

struct EntryPoint {
    std::string transform;
    std::string value;
};

// `record` is the record's qualified C++ name.
std::vector<EntryPoint> EntryPoints(const std::string& record, const std::vector<Protocol>& protocols);

}  // namespace certpluck::gbc::cpp
