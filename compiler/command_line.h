// The command line of certpluck-gbc, the library's compiler's: common flags,
// then a subcommand and its files; "@listfile" stands for the file names
// listed in listfile, one a line.
#pragma once

#include "compiler/cpp/cpp_options.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace certpluck::gbc {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Command { none, schema, cpp, cs, java };

struct Options {
    Command command = Command::none;
    std::vector<std::string> import_dirs;
    std::string output_dir = ".";
    // 0: as many as there are processors; below 0: that many fewer.
    int jobs = 1;
    uint64_t max_output_mib = 256;
    std::vector<std::string> files;
    cpp::CppOptions cpp;
    bool help = false;
    bool version = false;
    bool numeric_version = false;
};

// Throws UsageError for a command line that is not one.
Options ReadCommandLine(const std::vector<std::string>& arguments);

std::string HelpText();
std::string VersionText();
std::string NumericVersion();

}  // namespace certpluck::gbc
