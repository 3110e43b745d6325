// Runs the built certpluck binary as a child process, the way a shell would,
// and collects everything it did that a caller can see.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "file_descriptor.h"

namespace certpluck::testing {

using Arguments = std::vector<std::string>;

// The usage text, byte for byte.
inline constexpr std::string_view usage_text = "Usage: certpluck [options]\n"
                                               "  --help         Display this summary\n"
                                               "  --in infile    Input file\n"
                                               "  --out outfile  Output file\n"
                                               "\n";

struct RunResult {
    std::string out;  // standard output, when it was captured
    std::string err;  // standard error
    int status = -1;  // the exit code, or 128 + the number of the signal that ended it
    long max_resident_kib = 0;
};

// Descriptors that become the child's standard input and output; the caller
// keeps ownership. Without one, standard input is /dev/null and standard
// output is captured into RunResult::out.
struct ChildStreams {
    int in = -1;
    int out = -1;
};

// Runs certpluck, named "certpluck" in argv[0], with `arguments` inside
// `directory`, and waits for it to end.
RunResult RunCertpluck(const Arguments& arguments, const std::filesystem::path& directory, ChildStreams streams = {});

// The read end of a pipe that holds `bytes` and then ends; `bytes` must fit in
// the pipe's buffer.
FileDescriptor PipeHolding(std::string_view bytes);

}  // namespace certpluck::testing
