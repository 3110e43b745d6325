// The c++ command's output: the files it writes, compared whole with the
// expected ones in testdata/cpp (regenerate them with the same flags after a
// deliberate change) (the secrets package's module, and a schema
// of the constructs the runtime does not compile yet under most flags), and
// the ordinal it refuses for C++.
#include "compiler/cpp/generate.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <unistd.h>

namespace certpluck::gbc::cpp {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The expected files end in ".golden", which keeps them out of the format
// check that every other .h and .cpp file of the tree is held to.
constexpr std::string_view golden = ".golden";

std::set<std::string> FileNames(const fs::path& dir, std::string_view suffix = {})
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        names.insert(name.substr(0, name.size() - suffix.size()));
    }
    return names;
}

class GenerateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        _dir = fs::temp_directory_path() / ("gbc-cpp-" + std::to_string(getpid()));
        fs::create_directories(_dir);
    }
    void TearDown() override { fs::remove_all(_dir); }

    CompileResult Generate(const std::string& path, const CppOptions& options, FileSource& files)
    {
        CompileSettings settings;
        settings.output_dir = _dir.string();
        return CompileToCpp(path, settings, options, files);
    }

    fs::path _dir;
};

struct GoldenCase {
    const char* name;
    const char* schema;
    CppOptions options;
};

CppOptions EveryFlag()
{
    CppOptions options;
    options.namespaces = {{"flagged", "mapped::space"}};
    options.aliases = {{"Ids", "my::id_list<{0}>"}};
    options.headers = {"<my/ids.h>", "local.h"};
    options.enum_header = true;
    options.apply = {Protocol::compact};
    options.export_attribute = "FLAGGED_EXPORT";
    options.banner = false;
    options.type_aliases = true;
    return options;
}

CppOptions Allocators()
{
    CppOptions options;
    options.allocator = "my::arena<char>";
    options.alloc_ctors = true;
    options.scoped_alloc = true;
    return options;
}

const GoldenCase golden_cases[] = {
    {"secrets_package", SECRETS_SCHEMA, {}},
    {"every_flag", TESTDATA "/cpp/every_flag.bond", EveryFlag()},
    {"allocators", TESTDATA "/cpp/allocators.bond", Allocators()},
};

class GoldenTest : public GenerateTest, public ::testing::WithParamInterface<GoldenCase> {};

TEST_P(GoldenTest, WritesTheExpectedFiles)
{
    DiskFileSource files;
    const CompileResult result = Generate(GetParam().schema, GetParam().options, files);
    ASSERT_TRUE(result.succeeded) << result.report;
    const fs::path expected = fs::path(TESTDATA) / "cpp" / GetParam().name;
    EXPECT_EQ(FileNames(_dir), FileNames(expected, golden));
    for (const std::string& name : FileNames(expected, golden)) {
        EXPECT_EQ(ReadAll(_dir / name), ReadAll(expected / (name + std::string(golden)))) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Cpp, GoldenTest, ::testing::ValuesIn(golden_cases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(GenerateTest, Ordinal65535IsRefusedAtTheField)
{
    MemoryFileSource files;
    files.Add("main.bond", "namespace n\nstruct S\n{\n    65535: int32 last;\n}\n");
    const CompileResult result = Generate("main.bond", {}, files);
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(result.report, "main.bond:4:5: error: field ordinal 65535 is reserved by the C++ runtime: use 0-65534 "
                             "for 'last'\n    65535: int32 last;\n    ^\n");
    EXPECT_TRUE(FileNames(_dir).empty());
}

}  // namespace
}  // namespace certpluck::gbc::cpp
