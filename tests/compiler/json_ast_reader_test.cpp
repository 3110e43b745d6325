// The JSON AST read back: what the writer wrote reads to the same AST, keys
// the library lets a file leave out take their defaults, and malformed ASTs
// are refused with a reason.
#include "compile_text.h"

#include "compiler/json_ast_reader.h"
#include "compiler/json_writer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace certpluck::gbc::testing {
namespace {

using nlohmann::json;

json ReadAndWrite(const std::string& text)
{
    const JsonAst ast = ReadJsonAst(text);
    std::ostringstream out;
    WriteJsonAst(ast.bond, out, uint64_t{1} << 30);
    return json::parse(out.str());
}

TEST(JsonAstReaderTest, ReadsBackWhatTheWriterWrote)
{
    const Compiled good = CompileText(R"(namespace cpp n
[a("b")] struct Base<T : value> { 0: T x = 1; 1: list<T> y = nothing; }
enum E { A = -1, B }
using M<K> = map<K, bonded<Base<int8>>>;
struct S : Base<int32> { 0: required E e = B; 1: M<string> m; 2: nullable<S> s; 3: double d = 1.25; 4: wstring w = L"w"; 5: bool b = false; }
struct F;
service W {}
service V<P> : W { stream S Get(stream P); nothing Fire(); void Stop(S); }
)");
    ASSERT_TRUE(good.errors.empty()) << good.report;
    EXPECT_EQ(ReadAndWrite(good.ast.dump()), good.ast);
}

TEST(JsonAstReaderTest, FillsInWhatTheLibraryLetsBeLeftOut)
{
    const json written = ReadAndWrite(R"({"imports":[],"namespaces":[{"name":["n"]}],"declarations":[
        {"tag":"Struct","declNamespaces":[{"name":["n"]}],"declName":"S",
         "structFields":[{"fieldOrdinal":0,"fieldType":"int8","fieldName":"a"}]},
        {"tag":"Enum","declNamespaces":[{"name":["n"]}],"declName":"E","enumConstants":[{"constantName":"A"}]},
        {"tag":"Service","declNamespaces":[{"name":["n"]}],"declName":"V",
         "serviceMethods":[{"tag":"Function","methodName":"f"}]}]})");
    EXPECT_EQ(written.at(json::json_pointer("/declarations/0")),
              json::parse(R"({"tag":"Struct","declNamespaces":[{"name":["n"]}],
        "declAttributes":[],"declName":"S","declParams":[],"structBase":null,"structFields":[{"fieldAttributes":[],
        "fieldOrdinal":0,"fieldModifier":"Optional","fieldType":"int8","fieldName":"a","fieldDefault":null}]})"));
    EXPECT_EQ(written.at(json::json_pointer("/declarations/1/enumConstants/0/constantValue")), json(nullptr));
    EXPECT_EQ(written.at(json::json_pointer("/declarations/2/serviceMethods/0")),
              json::parse(R"({"tag":"Function","methodName":"f",
        "methodAttributes":[],"methodInput":null,"methodResult":null,"methodStreaming":"Unary"})"));
}

struct InvalidCase {
    const char* name;
    std::string text;
    const char* message;
};

const InvalidCase invalid_cases[] = {
    {"NotJson", "{", "invalid JSON AST: the file is not JSON"},
    {"NoDeclarations", R"({"imports":[],"namespaces":[]})", "invalid JSON AST: missing \"declarations\""},
    {"UnknownTag",
     R"({"imports":[],"namespaces":[],"declarations":[{"tag":"Class","declNamespaces":[],"declName":"C"}]})",
     "invalid JSON AST: unknown declaration tag \"Class\""},
    {"UnknownType",
     R"({"imports":[],"namespaces":[],"declarations":[{"tag":"Alias","declNamespaces":[],"declName":"A","aliasType":"int128"}]})",
     "invalid JSON AST: unknown type \"int128\""},
    {"OrdinalOutOfRange",
     R"({"imports":[],"namespaces":[],"declarations":[{"tag":"Struct","declNamespaces":[],"declName":"S","structFields":[{"fieldOrdinal":70000,"fieldType":"int8","fieldName":"a"}]}]})",
     "invalid JSON AST: a field's ordinal must be an integer within 0-65535"},
    {"StreamingEvent",
     R"({"imports":[],"namespaces":[],"declarations":[{"tag":"Service","declNamespaces":[],"declName":"V","serviceMethods":[{"tag":"Event","methodName":"e","methodStreaming":"Unary"}]}]})",
     "invalid JSON AST: an event cannot have \"methodStreaming\""},
    {"StreamedVoid",
     R"({"imports":[],"namespaces":[],"declarations":[{"tag":"Service","declNamespaces":[],"declName":"V","serviceMethods":[{"tag":"Function","methodName":"f","methodStreaming":"Client"}]}]})",
     "invalid JSON AST: method \"f\" streams a void payload"},
    {"TooDeep", std::string(1000, '[') + std::string(1000, ']'), "invalid JSON AST: nested too deeply"},
};

class JsonAstReaderInvalidTest : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(JsonAstReaderInvalidTest, SaysWhatIsWrong)
{
    try {
        ReadJsonAst(GetParam().text);
        FAIL() << "accepted";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(Invalid, JsonAstReaderInvalidTest, ::testing::ValuesIn(invalid_cases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace certpluck::gbc::testing
