// The certpluck-gbc program run as a user runs it: exit status, standard
// error byte for byte, and the files it leaves behind.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadAll(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        _dir = fs::temp_directory_path() / ("gbc-test-" + std::to_string(getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(_dir);
        fs::create_directories(_dir);
    }
    void TearDown() override { fs::remove_all(_dir); }

    // Arguments are passed through the shell: the tests keep them plain.
    Outcome Gbc(const std::string& arguments) const
    {
        const std::string command =
            "cd '" + _dir.string() + "' && '" + CERTPLUCK_GBC + "' " + arguments + " >stdout.txt 2>stderr.txt";
        const int status = std::system(command.c_str());
        Outcome run{WIFEXITED(status) ? WEXITSTATUS(status) : 128, ReadAll(_dir / "stdout.txt"),
                    ReadAll(_dir / "stderr.txt")};
        fs::remove(_dir / "stdout.txt");
        fs::remove(_dir / "stderr.txt");
        return run;
    }

    fs::path _dir;
};

TEST_F(ProgramTest, WritesTheAstOfEachFile)
{
    WriteAll(_dir / "a.bond", "namespace n\nstruct A { 0: int8 x = 1; }\n");
    WriteAll(_dir / "b.bond", "namespace n\nenum B { X }\n");
    const Outcome run = Gbc("schema -o out a.bond b.bond");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(nlohmann::json::parse(ReadAll(_dir / "out/a.json")).at(json::json_pointer("/declarations/0/declName")),
              "A");
    EXPECT_EQ(nlohmann::json::parse(ReadAll(_dir / "out/b.json")).at(json::json_pointer("/declarations/0/declName")),
              "B");
}

TEST_F(ProgramTest, ReportsErrorsOnStandardErrorAndWritesNothing)
{
    WriteAll(_dir / "bad.bond", "namespace n\nstruct S { 0: Missing m; }\n");
    const Outcome run = Gbc("schema bad.bond");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "bad.bond:2:15: error: unknown type 'Missing'\nstruct S { 0: Missing m; }\n              ^\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(_dir), fs::directory_iterator()), 1);
}

TEST_F(ProgramTest, ReportsInCommandLineOrderWhateverTheJobs)
{
    WriteAll(_dir / "a.bond", "namespace n\nstruct A : B {}\n");
    WriteAll(_dir / "b.bond", "namespace n\nstruct B {}\n");
    WriteAll(_dir / "c.bond", "namespace n\nenum C {}\n");
    const Outcome run = Gbc("schema -j3 a.bond b.bond c.bond");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "a.bond:2:12: error: unknown type 'B'\nstruct A : B {}\n           ^\n"
                       "c.bond:2:9: error: expected an enum constant, found '}'\nenum C {}\n        ^\n");
    EXPECT_TRUE(fs::exists(_dir / "b.json"));
}

TEST_F(ProgramTest, RefusesOutputOverTheLimitAndLeavesNoFile)
{
    // Each struct holds the one before twice, so its AST doubles each time.
    std::string schema = "namespace n\nstruct S0 { 0: int8 x; }\n";
    for (int i = 1; i <= 20; ++i) {
        schema += "struct S" + std::to_string(i) + " { 0: S" + std::to_string(i - 1) + " a; 1: S" +
                  std::to_string(i - 1) + " b; }\n";
    }
    WriteAll(_dir / "big.bond", schema);
    const Outcome run = Gbc("schema --max-output-mib=1 big.bond");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "certpluck-gbc: big.bond: the JSON AST would be larger than the limit of 1 MiB (raise it "
                       "with --max-output-mib)\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(_dir), fs::directory_iterator()), 1);
}

TEST_F(ProgramTest, RefusesDeclarationsNestedTooDeep)
{
    // The chain is imported, so the one struct written nests it all at once.
    std::string chain = "namespace c\nstruct R0 {}\n";
    for (int i = 1; i <= 100000; ++i) {
        chain += "struct R" + std::to_string(i) + " { 0: R" + std::to_string(i - 1) + " p; }\n";
    }
    WriteAll(_dir / "chain.bond", chain);
    WriteAll(_dir / "top.bond", "import \"chain.bond\"\nnamespace t\nstruct Top { 0: c.R100000 r; }\n");
    const Outcome run = Gbc("schema top.bond");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "certpluck-gbc: top.bond: the JSON AST would nest declarations more than 100000 deep\n");
    EXPECT_FALSE(fs::exists(_dir / "top.json"));
}

TEST_F(ProgramTest, FindsTheLibrarysSchemasWithoutImportDir)
{
    WriteAll(
        _dir / "uses.bond",
        "import \"bond/core/bond.bond\"\nnamespace n\nstruct S { 0: bond.GUID id; 1: bond.BondDataType t = BT_STRUCT; "
        "2: bond.SchemaDef schema; }\n");
    const Outcome run = Gbc("schema uses.bond");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(ReadAll(_dir / "uses.json"))
                  .at(json::json_pointer("/declarations/0/structFields/0/fieldType/declaration/declName")),
              "GUID");
}

TEST_F(ProgramTest, ImportDirsAndListFiles)
{
    WriteAll(_dir / "lib/dep.bond", "namespace d\nstruct D {}\n");
    WriteAll(_dir / "main.bond", "import \"dep.bond\"\nnamespace n\nstruct S : d.D {}\n");
    WriteAll(_dir / "files.txt", "main.bond\n");
    const Outcome run = Gbc("schema -i lib -j @files.txt");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::exists(_dir / "main.json"));
}

TEST_F(ProgramTest, CppWritesTheModuleFilesAndNothingElse)
{
    WriteAll(_dir / "s.bond", "namespace n\nenum E { A }\nstruct S { 0: E e = A; }\n");
    const Outcome run = Gbc("c++ --enum-header -o out s.bond");
    EXPECT_EQ(run.status, 0) << run.err;
    std::set<std::string> written;
    for (const auto& entry : fs::directory_iterator(_dir / "out")) {
        written.insert(entry.path().filename().string());
    }
    EXPECT_EQ(written, (std::set<std::string>{"s_apply.cpp", "s_apply.h", "s_enum.h", "s_reflection.h", "s_types.cpp",
                                              "s_types.h"}));
}

TEST_F(ProgramTest, ReadsJsonAsts)
{
    WriteAll(_dir / "in/s.json", R"({"imports":[],"namespaces":[{"name":["n"]}],"declarations":[]})");
    const Outcome run = Gbc("schema -o out in/s.json");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(ReadAll(_dir / "out/s.json")),
              nlohmann::json::parse(R"({"imports":[],"namespaces":[{"name":["n"]}],"declarations":[]})"));
}

struct CommandCase {
    const char* name;
    const char* arguments;
    int status;
    const char* err;
};

const CommandCase command_cases[] = {
    {"CppMissingFile", "c++ nowhere.bond", 1, "certpluck-gbc: nowhere.bond: no such schema file\n"},
    {"CppFlagNotCarried", "c++ --grpc x.bond", 1,
     "certpluck-gbc: --grpc is not carried: the runtime has no gRPC services\n"},
    {"CsharpNotCarried", "c# x.bond", 1,
     "certpluck-gbc: the c# command is not carried: certpluck generates C++ only\n"},
    {"JavaNotCarried", "java x.bond", 1,
     "certpluck-gbc: the java command is not carried: certpluck generates C++ only\n"},
    {"NoCommand", "-i x", 1, "certpluck-gbc: no command given: use 'schema' or 'c++' (see --help)\n"},
    {"NoArgumentsShowTheHelp", "", 0, ""},
    {"RuntimeSchemaNotCarried", "schema --runtime-schema x.bond", 1,
     "certpluck-gbc: --runtime-schema is not carried: certpluck-gbc writes the schema's syntax tree only, not the "
     "run-time schema (SchemaDef)\n"},
    {"NoFile", "schema", 1, "certpluck-gbc: no schema file given\n"},
    {"MissingFile", "schema nowhere.bond", 1, "certpluck-gbc: nowhere.bond: no such schema file\n"},
    {"MissingListFile", "schema @nowhere.txt", 1, "certpluck-gbc: cannot read the list file 'nowhere.txt'\n"},
    {"NumericVersion", "--numeric-version", 0, ""},
    {"Help", "-?", 0, ""},
};

class CommandTest : public ProgramTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CommandTest, ExitsAsDocumented)
{
    const Outcome run = Gbc(GetParam().arguments);
    EXPECT_EQ(run.status, GetParam().status);
    EXPECT_EQ(run.err, GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandTest, ::testing::ValuesIn(command_cases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(ProgramTest, VersionAndHelpGoToStandardOutput)
{
    EXPECT_EQ(Gbc("--numeric-version").out, std::string(CERTPLUCK_VERSION) + "\n");
    EXPECT_EQ(Gbc("-V").out,
              "certpluck-gbc " + std::string(CERTPLUCK_VERSION) + ", the Bond schema compiler of certpluck\n");
    const std::string help = Gbc("--help").out;
    EXPECT_EQ(help.rfind("certpluck-gbc " + std::string(CERTPLUCK_VERSION), 0), 0U);
    EXPECT_NE(help.find("certpluck-gbc schema [OPTIONS] FILE...\n"), std::string::npos);
}

}  // namespace
