// The tool's options: --in FILE, --out FILE and --help (-h). Long options may
// be abbreviated and take their argument as the next word or after '='.
#pragma once

#include <string>

namespace certpluck {

enum class CommandLineVerdict {
    Run,     // the options name what to read and write
    Help,    // --help or -h, and nothing wrong
    Misuse,  // an unknown option, a missing option argument or extra words
};

// Parses the command line once per process (getopt_long keeps its place in
// globals). A later --in or --out replaces an earlier one; an empty argument
// means the standard stream. The option parser reports a bad option on standard
// error itself; extra words are listed on standard output as
// "Extra parameters: a b \n". Parsing goes on past a bad option, and misuse
// outweighs --help. Throws std::runtime_error when standard output fails.
CommandLineVerdict ReadCommandLine(int argc, char* argv[], std::string& input_path, std::string& output_path);

// Writes the usage text to standard output. Throws std::runtime_error when
// standard output fails.
void PrintUsage();

}  // namespace certpluck
