// Whole runs of certpluck on golden packages: what reaches the output, what is
// reported, and how the run ends, with files and with the standard streams.
#include <fcntl.h>

#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "golden_packages.h"
#include "run_certpluck.h"
#include "temp_directory.h"

namespace certpluck::testing {
namespace {

struct Golden {
    const char* input_hex;
    std::string output;
    std::string err;
    int status;
};

const Golden goldens[] = {
    {"", "", std::string(empty_input_failure), 1},
    {"0b0e0341424300", "ABC", "", 0},
    {"0b0e0341424300ffff", "ABC", "", 0},
    {"00", "", "", 0},
    {"0b0e054142", "", "Exception: Read out of bounds: 5 bytes requested, offset: 3, length: 5\n", 1},
};

TEST(DecodingTest, FileToFile)
{
    for (const Golden& golden : goldens) {
        SCOPED_TRACE(golden.input_hex);
        const TempDirectory work;
        const std::string input = FromHex(golden.input_hex);
        work.WriteFile("package", input);

        const RunResult result = RunCertpluck({"--in", "package", "--out", "out"}, work.Path());

        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, golden.err);
        EXPECT_EQ(result.status, golden.status);
        // A failed run still leaves the output file behind, empty.
        EXPECT_EQ(work.ReadFile("out"), golden.output);
        EXPECT_EQ(work.ReadFile("package"), input);
    }
}

TEST(DecodingTest, StandardInputToStandardOutput)
{
    for (const Golden& golden : goldens) {
        SCOPED_TRACE(golden.input_hex);
        const TempDirectory work;
        const FileDescriptor in = PipeHolding(FromHex(golden.input_hex));

        const RunResult result = RunCertpluck({}, work.Path(), {.in = in.Get()});

        EXPECT_EQ(result.out, golden.output);
        EXPECT_EQ(result.err, golden.err);
        EXPECT_EQ(result.status, golden.status);
    }
}

std::string ReadWhole(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The certificate bytes of a package are copied from wherever the input is to
// wherever the output goes: a file, a redirected standard stream or a pipe.
TEST(DecodingTest, EveryKindOfInputAndOutput)
{
    const std::string certificate = ReadWhole(SAMPLE_DIR "/sample.p7b");
    const std::string package = ReadWhole(SAMPLE_DIR "/sample.package");
    ASSERT_FALSE(certificate.empty());
    struct Case {
        const char* what;
        bool input_is_file;
        bool output_is_file;
        bool by_name;
    };
    const Case cases[] = {
        {"--in FILE --out FILE", true, true, true},
        {"--in FILE, standard output a pipe", true, false, true},
        {"standard input and output redirected to files", true, true, false},
        {"standard input redirected, standard output a pipe", true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TempDirectory work;
        work.WriteFile("package", package);
        work.WriteFile("out", "");
        const FileDescriptor in = OpenFile((work / "package").string(), O_RDONLY);
        const FileDescriptor out = OpenFile((work / "out").string(), O_WRONLY);
        const RunResult result =
            c.by_name ? RunCertpluck(c.output_is_file ? Arguments{"--in", "package", "--out", "out"}
                                                      : Arguments{"--in", "package"},
                                     work.Path())
                      : RunCertpluck({}, work.Path(), {.in = in.Get(), .out = c.output_is_file ? out.Get() : -1});

        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(c.output_is_file ? work.ReadFile("out") : result.out, certificate);
    }
}

}  // namespace
}  // namespace certpluck::testing
