// The command line read into options: the library's compiler's flags and
// subcommands, "@listfile", and the forms -j takes.
#include "compiler/command_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace certpluck::gbc {
namespace {

struct OptionsCase {
    const char* name;
    std::vector<std::string> arguments;
    Command command;
    std::vector<std::string> files;
    std::vector<std::string> import_dirs;
    std::string output_dir;
    int jobs;
};

const OptionsCase options_cases[] = {
    {"Schema", {"schema", "a.bond"}, Command::schema, {"a.bond"}, {}, ".", 1},
    {"FlagsBeforeTheCommand",
     {"-i", "x", "--import-dir=y", "-o", "out", "schema", "a.bond", "b.bond"},
     Command::schema,
     {"a.bond", "b.bond"},
     {"x", "y"},
     "out",
     1},
    {"FlagsAfterTheCommand",
     {"schema", "a.bond", "--output-dir", "out", "-i", "x"},
     Command::schema,
     {"a.bond"},
     {"x"},
     "out",
     1},
    {"ImportDirBeforeAFile",
     {"schema", "--import-dir=x", "a.bond", "-i", "y", "b.bond"},
     Command::schema,
     {"a.bond", "b.bond"},
     {"x", "y"},
     ".",
     1},
    {"JobsAlone", {"schema", "-j", "a.bond"}, Command::schema, {"a.bond"}, {}, ".", 0},
    {"JobsAttached", {"schema", "-j4", "a.bond"}, Command::schema, {"a.bond"}, {}, ".", 4},
    {"JobsLong", {"schema", "--jobs=3", "a.bond"}, Command::schema, {"a.bond"}, {}, ".", 3},
    {"JobsFewerThanProcessors", {"schema", "-j-1", "a.bond"}, Command::schema, {"a.bond"}, {}, ".", -1},
    {"ServiceInheritanceTaken",
     {"schema", "--enable-service-inheritance", "a.bond"},
     Command::schema,
     {"a.bond"},
     {},
     ".",
     1},
    {"Cpp", {"c++", "a.bond"}, Command::cpp, {"a.bond"}, {}, ".", 1},
    {"CppFlagsLeftToTheCommand", {"c++", "--enum-header", "a.bond"}, Command::cpp, {"a.bond"}, {}, ".", 1},
    {"CsharpFlagsLeftToTheCommand", {"c#", "-c", "--structs=false"}, Command::cs, {}, {}, ".", 1},
    {"Csharp", {"c#"}, Command::cs, {}, {}, ".", 1},
    {"Java", {"java"}, Command::java, {}, {}, ".", 1},
};

class OptionsTest : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(OptionsTest, ReadsTheCommandLine)
{
    const OptionsCase& row = GetParam();
    const Options options = ReadCommandLine(row.arguments);
    EXPECT_EQ(options.command, row.command);
    EXPECT_EQ(options.files, row.files);
    EXPECT_EQ(options.import_dirs, row.import_dirs);
    EXPECT_EQ(options.output_dir, row.output_dir);
    EXPECT_EQ(options.jobs, row.jobs);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, OptionsTest, ::testing::ValuesIn(options_cases),
                         [](const auto& test) { return std::string(test.param.name); });

struct UsageCase {
    const char* name;
    std::vector<std::string> arguments;
};

const UsageCase usage_cases[] = {
    {"NoCommand", {"a.bond"}},
    {"NoFile", {"schema"}},
    {"UnknownFlag", {"schema", "--fast", "a.bond"}},
    {"JobsNotANumber", {"schema", "-jmany", "a.bond"}},
    {"ZeroOutputLimit", {"schema", "--max-output-mib=0", "a.bond"}},
    {"UnknownCommand", {"go", "a.bond"}},
};

class UsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageTest, IsRefused)
{
    EXPECT_THROW(ReadCommandLine(GetParam().arguments), UsageError);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, UsageTest, ::testing::ValuesIn(usage_cases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(CommandLineTest, ListFileNamesOneFileALine)
{
    const auto list = std::filesystem::temp_directory_path() / ("gbc-list-" + std::to_string(getpid()) + ".txt");
    std::ofstream(list) << "a.bond\r\n\nsub dir/b.bond\n";
    const Options options = ReadCommandLine({"schema", "@" + list.string(), "c.bond"});
    std::filesystem::remove(list);
    EXPECT_EQ(options.files, (std::vector<std::string>{"a.bond", "sub dir/b.bond", "c.bond"}));
}

TEST(CommandLineTest, HelpAndVersionNeedNoCommand)
{
    EXPECT_TRUE(ReadCommandLine({"-?"}).help);
    EXPECT_TRUE(ReadCommandLine({"--help"}).help);
    EXPECT_TRUE(ReadCommandLine({"-V"}).version);
    EXPECT_TRUE(ReadCommandLine({"--numeric-version"}).numeric_version);
}

TEST(CommandLineTest, OutputLimitInMebibytes)
{
    EXPECT_EQ(ReadCommandLine({"schema", "a.bond"}).max_output_mib, 256U);
    EXPECT_EQ(ReadCommandLine({"schema", "--max-output-mib=4096", "a.bond"}).max_output_mib, 4096U);
}

}  // namespace
}  // namespace certpluck::gbc
