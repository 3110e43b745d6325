// The c++ command's flags, as the library's compiler spells them, and the
// ones refused because the runtime lacks what they ask for.
#include "compiler/command_line.h"

#include <gtest/gtest.h>

#include <functional>

namespace certpluck::gbc::cpp {
namespace {

std::vector<std::string> CppCommand(std::vector<std::string> flags)
{
    flags.insert(flags.begin(), "c++");
    // The file last, so that a flag that took it as an argument would show.
    flags.push_back("a.bond");
    return flags;
}

struct FlagsCase {
    const char* name;
    std::vector<std::string> flags;
    CppOptions expected;
};

CppOptions With(const std::function<void(CppOptions&)>& change)
{
    CppOptions options;
    change(options);
    return options;
}

const FlagsCase flags_cases[] = {
    {"None", {}, {}},
    {"NamespaceDotted", {"--namespace=a.b=c.d"}, With([](CppOptions& o) { o.namespaces = {{"a.b", "c::d"}}; })},
    {"NamespaceShortWithColons", {"-n", "a=x::y", "-n", "b=z"}, With([](CppOptions& o) {
         o.namespaces = {{"a", "x::y"}, {"b", "z"}};
     })},
    {"Using", {"--using=List=my::list<{0}>", "-u", "Text=my::text"}, With([](CppOptions& o) {
         o.aliases = {{"List", "my::list<{0}>"}, {"Text", "my::text"}};
     })},
    {"Headers", {"--header=<a.h>", "-h", "\"b.h\""}, With([](CppOptions& o) { o.headers = {"<a.h>", "\"b.h\""}; })},
    {"EnumHeader", {"-e"}, With([](CppOptions& o) { o.enum_header = true; })},
    {"EnumHeaderLong", {"--enum-header"}, With([](CppOptions& o) { o.enum_header = true; })},
    {"ApplyRepeated", {"--apply=compact", "--apply", "simple"}, With([](CppOptions& o) {
         o.apply = {Protocol::compact, Protocol::simple};
     })},
    {"ApplyList", {"--apply=fast,compact"}, With([](CppOptions& o) { o.apply = {Protocol::fast, Protocol::compact}; })},
    {"ExportAttribute", {"--export-attribute=DLL"}, With([](CppOptions& o) { o.export_attribute = "DLL"; })},
    {"ApplyAttributeIsASynonym", {"--apply-attribute", "DLL"}, With([](CppOptions& o) { o.export_attribute = "DLL"; })},
    {"NoBanner", {"--no-banner"}, With([](CppOptions& o) { o.banner = false; })},
    {"CoreIsTheDefault", {"--core", "--core=true"}, {}},
    {"TypeAliases", {"--type-aliases"}, With([](CppOptions& o) { o.type_aliases = true; })},
    {"ServiceInheritanceTaken", {"--enable-service-inheritance"}, {}},
    {"Allocators", {"--allocator=my::arena<char>", "--alloc-ctors", "--scoped-alloc"}, With([](CppOptions& o) {
         o.allocator = "my::arena<char>";
         o.alloc_ctors = true;
         o.scoped_alloc = true;
     })},
};

class FlagsTest : public ::testing::TestWithParam<FlagsCase> {};

TEST_P(FlagsTest, AreRead)
{
    const Options options = ReadCommandLine(CppCommand(GetParam().flags));
    EXPECT_EQ(options.command, Command::cpp);
    EXPECT_EQ(options.files, std::vector<std::string>{"a.bond"});
    EXPECT_TRUE(options.cpp == GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(CppFlags, FlagsTest, ::testing::ValuesIn(flags_cases),
                         [](const auto& test) { return std::string(test.param.name); });

struct RefusedCase {
    const char* name;
    std::vector<std::string> flags;
    const char* message;
};

const RefusedCase refused_cases[] = {
    {"ApplyJson", {"--apply=json"}, "--apply=json is not carried: the runtime has no Simple JSON protocol"},
    {"ApplyUnknown", {"--apply=xml"}, "--apply takes compact, fast or simple, not 'xml'"},
    {"Grpc", {"--grpc"}, "--grpc is not carried: the runtime has no gRPC services"},
    {"Comm", {"--comm"}, "--comm is not carried: the runtime has no Bond Comm services"},
    {"CoreFalse",
     {"--core=false"},
     "--core=false is not carried: it leaves only the services' files, which certpluck-gbc does not write"},
    {"NamespaceWithoutMapping", {"--namespace=a"}, "--namespace takes bond_namespace=cpp_namespace, not 'a'"},
    {"UsingWithoutType", {"--using=List="}, "--using takes alias=type, not 'List='"},
    {"UnknownFlag", {"--fast"}, "The following argument was not expected: --fast"},
};

class RefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedTest, SaysWhy)
{
    try {
        ReadCommandLine(CppCommand(GetParam().flags));
        FAIL() << "accepted";
    } catch (const UsageError& error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(CppFlags, RefusedTest, ::testing::ValuesIn(refused_cases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace certpluck::gbc::cpp
