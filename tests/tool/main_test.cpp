// Whole runs of certpluck on golden packages: what reaches the output, what is
// reported, and how the run ends, with files and with the standard streams.
#include <string>

#include <gtest/gtest.h>

#include "tests/tool/golden_packages.h"
#include "tests/tool/run_certpluck.h"
#include "tests/tool/temp_directory.h"

namespace certpluck::testing {
namespace {

struct Golden {
    const char* input_hex;
    std::string output;
    std::string err;
    int status;
};

const Golden kGoldens[] = {
    {"", "", std::string(kEmptyInputFailure), 1},
    {"0b0e0341424300", "ABC", "", 0},
    {"0b0e0341424300ffff", "ABC", "", 0},
    {"00", "", "", 0},
    {"0b0e054142", "", "Exception: Read out of bounds: 5 bytes requested, offset: 3, length: 5\n", 1},
};

TEST(DecodingTest, FileToFile)
{
    for (const Golden& golden : kGoldens) {
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
    for (const Golden& golden : kGoldens) {
        SCOPED_TRACE(golden.input_hex);
        const TempDirectory work;
        const FileDescriptor in = PipeHolding(FromHex(golden.input_hex));

        const RunResult result = RunCertpluck({}, work.Path(), {.in = in.Get()});

        EXPECT_EQ(result.out, golden.output);
        EXPECT_EQ(result.err, golden.err);
        EXPECT_EQ(result.status, golden.status);
    }
}

} // namespace
} // namespace certpluck::testing
