// The c++ command: one schema file compiled to its C++ files in the output
// folder (NAME_types.h, NAME_types.cpp, NAME_reflection.h, NAME_apply.h,
// NAME_apply.cpp, and NAME_enum.h with --enum-header), each written beside
// its name and renamed once complete.
#pragma once

#include "compiler/compile.h"
#include "compiler/cpp/cpp_options.h"

namespace certpluck::gbc::cpp {

CompileResult CompileToCpp(const std::string& path, const CompileSettings& settings, const CppOptions& options,
                           FileSource& files);

}  // namespace certpluck::gbc::cpp
