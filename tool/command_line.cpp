#include "command_line.h"

#include <getopt.h>

#include "byte_streams.h"

namespace certpluck {
namespace {

constexpr int in_option = 1000;
constexpr int out_option = 1001;

constexpr option long_options[] = {
    {"help", no_argument, nullptr, 'h'},
    {"in", required_argument, nullptr, in_option},
    {"out", required_argument, nullptr, out_option},
    {nullptr, 0, nullptr, 0},
};

}  // namespace

CommandLineVerdict ReadCommandLine(int argc, char* argv[], std::string& input_path, std::string& output_path)
{
    bool help = false;
    bool misuse = false;
    int option = 0;
    while ((option = getopt_long(argc, argv, "h", long_options, nullptr)) != -1) {
        switch (option) {
        case in_option: input_path = optarg; break;
        case out_option: output_path = optarg; break;
        case 'h': help = true; break;
        default: misuse = true; break;
        }
    }
    // The parser moves words that are no options behind the options.
    if (optind < argc) {
        std::string line = "Extra parameters: ";
        for (int index = optind; index < argc; ++index) {
            line += argv[index];
            line += ' ';
        }
        line += '\n';
        WriteStandardOutput(line);
        misuse = true;
    }
    if (misuse) {
        return CommandLineVerdict::Misuse;
    }
    return help ? CommandLineVerdict::Help : CommandLineVerdict::Run;
}

void PrintUsage()
{
    WriteStandardOutput("Usage: certpluck [options]\n"
                        "  --help         Display this summary\n"
                        "  --in infile    Input file\n"
                        "  --out outfile  Output file\n"
                        "\n");
}

}  // namespace certpluck
