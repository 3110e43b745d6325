// The c++ command's flags, as the library's compiler spells them, read into
// CppOptions. A flag whose feature the runtime lacks is refused, never
// ignored: its code would not do what it asks.
#pragma once

#include "compiler/cpp/cpp_options.h"

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace certpluck::gbc::cpp {

// The flags as written, before they are checked.
struct CppFlags {
    std::vector<std::string> usings;
    std::vector<std::string> namespaces;
    std::vector<std::string> headers;
    bool enum_header = false;
    std::string allocator;
    std::vector<std::string> apply;
    std::string export_attribute;
    bool no_banner = false;
    bool core = true;
    bool alloc_ctors = false;
    bool type_aliases = false;
    bool scoped_alloc = false;
    bool grpc = false;
    bool comm = false;
};

void AddCppFlags(CLI::App& command, CppFlags& flags);

// Throws UsageError for a flag that is refused or malformed.
CppOptions ReadCppFlags(const CppFlags& flags);

}  // namespace certpluck::gbc::cpp
