// The options of certpluck, seen through the real binary.
#include <fcntl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "golden_packages.h"
#include "run_certpluck.h"
#include "temp_directory.h"

namespace certpluck::testing {
namespace {

// A directory with a valid package in "package" and an empty file in "empty".
class Workspace : public TempDirectory {
public:
    Workspace()
    {
        WriteFile("package", package);
        WriteFile("empty", "");
    }
};

TEST(CommandLineTest, HelpPrintsTheUsageAndReadsNothing)
{
    const std::vector<Arguments> cases = {
        {"--help"},
        {"-h"},
        {"--he"},
        {"--help", "--in", "package", "--out", "out"},
        {"--in", "package", "-h", "--out", "out"},
    };
    for (const Arguments& arguments : cases) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const Workspace work;
        // Had standard input been read and decoded, its output would follow the usage.
        const FileDescriptor in = PipeHolding(package);

        const RunResult result = RunCertpluck(arguments, work.Path(), {.in = in.Get()});

        EXPECT_EQ(result.out, usage_text);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.status, 0);
        EXPECT_FALSE(work.Exists("out"));
    }
}

TEST(CommandLineTest, MisusePrintsTheUsageAndExitsWithTwo)
{
    const std::string extra_a_b = "Extra parameters: a b \n" + std::string(usage_text);
    const struct {
        Arguments arguments;
        std::string out;
        std::string err;
    } cases[] = {
        {{"--bogus"}, std::string(usage_text), "certpluck: unrecognized option '--bogus'\n"},
        {{"-x"}, std::string(usage_text), "certpluck: invalid option -- 'x'\n"},
        {{"--in"}, std::string(usage_text), "certpluck: option '--in' requires an argument\n"},
        {{"--in", "package", "--out"}, std::string(usage_text), "certpluck: option '--out' requires an argument\n"},
        {{"--bogus", "--in", "package", "--out", "out"},
         std::string(usage_text),
         "certpluck: unrecognized option '--bogus'\n"},
        {{"--help", "--bogus"}, std::string(usage_text), "certpluck: unrecognized option '--bogus'\n"},
        {{"--in", "package", "a", "b"}, extra_a_b, ""},
        {{"a", "--in", "package", "b", "--out", "out"}, extra_a_b, ""},
        {{"-h", "stray"}, "Extra parameters: stray \n" + std::string(usage_text), ""},
        {{"--in", "package", "--", "--out", "out"}, "Extra parameters: --out out \n" + std::string(usage_text), ""},
    };
    for (const auto& [arguments, out, err] : cases) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const Workspace work;

        const RunResult result = RunCertpluck(arguments, work.Path());

        EXPECT_EQ(result.out, out);
        EXPECT_EQ(result.err, err);
        EXPECT_EQ(result.status, 2);
        EXPECT_FALSE(work.Exists("out"));
        EXPECT_EQ(work.ReadFile("package"), package);
    }
}

// Every case must end up reading the empty input, from "empty" or from the
// empty standard input, while "package" would decode.
TEST(CommandLineTest, InputIsTakenFromTheLastInOptionOrStandardInput)
{
    const std::vector<Arguments> cases = {
        {},
        {"--in", ""},
        {"--in", "empty"},
        {"--in=empty"},
        {"--i", "empty"},
        {"--in", "package", "--in", "empty"},
        {"--in", "package", "--in", ""},
    };
    for (const Arguments& arguments : cases) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const Workspace work;
        const FileDescriptor in = PipeHolding("");

        const RunResult result = RunCertpluck(arguments, work.Path(), {.in = in.Get()});

        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, empty_input_failure);
        EXPECT_EQ(result.status, 1);
    }
}

TEST(CommandLineTest, OutputGoesToTheLastOutOption)
{
    const std::vector<Arguments> cases = {
        {"--out", "out"},
        {"--out=out"},
        {"--o", "out"},
        {"--out", "other", "--out", "out"},
    };
    for (const Arguments& arguments : cases) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const Workspace work;

        const RunResult result = RunCertpluck(arguments, work.Path());

        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, empty_input_failure);
        EXPECT_EQ(result.status, 1);
        ASSERT_TRUE(work.Exists("out"));
        EXPECT_EQ(work.ReadFile("out"), "");
        EXPECT_FALSE(work.Exists("other"));
    }
}

TEST(CommandLineTest, EmptyOutArgumentMeansStandardOutput)
{
    const Workspace work;
    const FileDescriptor full(::open("/dev/full", O_WRONLY | O_CLOEXEC));

    const RunResult result = RunCertpluck({"--in", "package", "--out", ""}, work.Path(), {.out = full.Get()});

    EXPECT_EQ(result.err, "Exception: Cannot write standard output: No space left on device\n");
    EXPECT_EQ(result.status, 1);
}

TEST(CommandLineTest, UsageThatCannotBeWrittenIsReported)
{
    const Workspace work;
    const FileDescriptor full(::open("/dev/full", O_WRONLY | O_CLOEXEC));

    const RunResult result = RunCertpluck({"--help"}, work.Path(), {.out = full.Get()});

    EXPECT_EQ(result.err, "Exception: Cannot write standard output: No space left on device\n");
    EXPECT_EQ(result.status, 1);
}

}  // namespace
}  // namespace certpluck::testing
