// certpluck: writes out the certificate bundle held in a secrets package.
// Every failure is reported here, as one line on standard error.
#include <csignal>
#include <cstdio>
#include <exception>
#include <span>
#include <string>

#include "byte_streams.h"
#include "command_line.h"
#include "extract.h"

namespace {

constexpr int exit_success = 0;
constexpr int exit_failure = 1;
constexpr int exit_misuse = 2;

int Run(int argc, char* argv[])
{
    std::string input_path;
    std::string output_path;
    const certpluck::CommandLineVerdict verdict = certpluck::ReadCommandLine(argc, argv, input_path, output_path);
    if (verdict != certpluck::CommandLineVerdict::Run) {
        certpluck::PrintUsage();
        return verdict == certpluck::CommandLineVerdict::Help ? exit_success : exit_misuse;
    }
    certpluck::CheckPaths(input_path, output_path);
    // The certificate bytes are a view into `input`, which therefore outlives them.
    const certpluck::InputBytes input = certpluck::ReadInputBytes(input_path);
    std::span<const char> certificates;
    certpluck::ExtractUnmanagedCerts(input.Bytes(), certificates);
    certpluck::WriteOutputBytes(output_path, certificates, input.FileRangeOf(certificates));
    return exit_success;
}

}  // namespace

int main(int argc, char* argv[])
{
    // A reader that goes away is a write failure to report, not a reason to die.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        return Run(argc, argv);
    } catch (const std::exception& exception) {
        std::fprintf(stderr, "Exception: %s\n", exception.what());
    } catch (...) {
        std::fputs("Caught ... \n", stderr);
    }
    return exit_failure;
}
