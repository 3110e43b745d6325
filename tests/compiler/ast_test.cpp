// Schema text in, a fragment of its JSON AST out: one row per construct of
// the language, the expected fragments written from the library's guide.
#include "compile_text.h"

#include <gtest/gtest.h>

namespace certpluck::gbc::testing {
namespace {

using nlohmann::json;

struct AstCase {
    const char* name;
    const char* schema;
    const char* pointer;
    const char* expected;
};

// Every row's schema starts with this namespace unless it brings its own.
constexpr const char* ns = R"([{"name":["n"]}])";

std::string WithNamespace(const char* schema)
{
    const std::string text = schema;
    return text.find("namespace") == std::string::npos ? "namespace n\n" + text : text;
}

const AstCase ast_cases[] = {
    {"Namespace", "namespace a.b", "/namespaces", R"([{"name":["a","b"]}])"},
    {"NamespaceForCpp", "namespace cpp a.b", "/namespaces", R"([{"language":"Cpp","name":["a","b"]}])"},
    {"NamespaceForCsharp", "namespace csharp a; namespace java a", "/namespaces",
     R"([{"language":"Cs","name":["a"]},{"language":"Java","name":["a"]}])"},
    {"NoImports", "namespace a", "/imports", "[]"},
    {"Enum", "enum E { A, B = 10, C = -1; D = 0x10, F = 0o17, G = +007, }", "/declarations/0",
     R"({"tag":"Enum","declNamespaces":[{"name":["n"]}],"declAttributes":[],"declName":"E","enumConstants":[
         {"constantName":"A","constantValue":null},{"constantName":"B","constantValue":10},
         {"constantName":"C","constantValue":-1},{"constantName":"D","constantValue":16},
         {"constantName":"F","constantValue":15},{"constantName":"G","constantValue":7}]})"},
    {"EnumValueInSixtyFourBitTwosComplement", "enum E { A = 0xFFFFFFFFFFFFFFF6, B = -0xFF, C = - 0o123 }",
     "/declarations/0/enumConstants",
     R"([{"constantName":"A","constantValue":-10},{"constantName":"B","constantValue":-255},
         {"constantName":"C","constantValue":-83}])"},
    {"EnumOfUint32Range", "enum E { Max = 4294967295, Min = -2147483648 }", "/declarations/0/enumConstants",
     R"([{"constantName":"Max","constantValue":4294967295},{"constantName":"Min","constantValue":-2147483648}])"},
    {"Forward", "struct Node;", "/declarations/0",
     R"({"tag":"Forward","declNamespaces":[{"name":["n"]}],"declName":"Node","declParams":[]})"},
    {"GenericForward", "struct Node<T : value>;", "/declarations/0/declParams",
     R"([{"paramName":"T","paramConstraint":"value"}])"},
    {"EmptyStruct", "struct S {};", "/declarations/0",
     R"({"tag":"Struct","declNamespaces":[{"name":["n"]}],"declAttributes":[],"declName":"S","declParams":[],
         "structBase":null,"structFields":[]})"},
    {"Field", "struct S { 3: uint16 count; }", "/declarations/0/structFields",
     R"([{"fieldAttributes":[],"fieldOrdinal":3,"fieldModifier":"Optional","fieldType":"uint16",
          "fieldName":"count","fieldDefault":null}])"},
    {"Modifiers", "struct S { 0: optional int8 a; 1: required int8 b; 2: required_optional int8 c; }",
     "/declarations/0/structFields",
     R"([{"fieldAttributes":[],"fieldOrdinal":0,"fieldModifier":"Optional","fieldType":"int8","fieldName":"a","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":1,"fieldModifier":"Required","fieldType":"int8","fieldName":"b","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":2,"fieldModifier":"RequiredOptional","fieldType":"int8","fieldName":"c","fieldDefault":null}])"},
    {"FieldsSortedByOrdinal", "struct S { 5: int8 b; 1: int8 a; }", "/declarations/0/structFields/0/fieldName",
     R"("a")"},
    {"Attributes", R"([Validate("True")] [a.b("x\ty")] struct S { [Max("100")] 0: uint32 v; })",
     "/declarations/0/declAttributes",
     R"([{"attrName":["Validate"],"attrValue":"True"},{"attrName":["a","b"],"attrValue":"x\ty"}])"},
    {"FieldAttributes", R"(struct S { [Max("100")] 0: uint32 v; })", "/declarations/0/structFields/0/fieldAttributes",
     R"([{"attrName":["Max"],"attrValue":"100"}])"},
    {"BasicTypes",
     "struct S { 0: bool a; 1: uint8 b; 2: uint32 c; 3: uint64 d; 4: int16 e; 5: int32 f; 6: int64 g; 7: float h;"
     " 8: double i; 9: string j; 10: wstring k; 11: blob l; 12: bond_meta::name m; 13: bond_meta::full_name o; }",
     "/declarations/0/structFields",
     R"([{"fieldAttributes":[],"fieldOrdinal":0,"fieldModifier":"Optional","fieldType":"bool","fieldName":"a","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":1,"fieldModifier":"Optional","fieldType":"uint8","fieldName":"b","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":2,"fieldModifier":"Optional","fieldType":"uint32","fieldName":"c","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":3,"fieldModifier":"Optional","fieldType":"uint64","fieldName":"d","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":4,"fieldModifier":"Optional","fieldType":"int16","fieldName":"e","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":5,"fieldModifier":"Optional","fieldType":"int32","fieldName":"f","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":6,"fieldModifier":"Optional","fieldType":"int64","fieldName":"g","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":7,"fieldModifier":"Optional","fieldType":"float","fieldName":"h","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":8,"fieldModifier":"Optional","fieldType":"double","fieldName":"i","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":9,"fieldModifier":"Optional","fieldType":"string","fieldName":"j","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":10,"fieldModifier":"Optional","fieldType":"wstring","fieldName":"k","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":11,"fieldModifier":"Optional","fieldType":"blob","fieldName":"l","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":12,"fieldModifier":"Optional","fieldType":"bond_meta::name","fieldName":"m","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":13,"fieldModifier":"Optional","fieldType":"bond_meta::full_name","fieldName":"o","fieldDefault":null}])"},
    {"Containers",
     "struct S { 0: list<int8> a; 1: vector<string> b; 2: set<uint64> c; 3: map<string, list<bool>> d; 4: "
     "nullable<blob> e; }",
     "/declarations/0/structFields",
     R"([{"fieldAttributes":[],"fieldOrdinal":0,"fieldModifier":"Optional","fieldType":{"type":"list","element":"int8"},"fieldName":"a","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":1,"fieldModifier":"Optional","fieldType":{"type":"vector","element":"string"},"fieldName":"b","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":2,"fieldModifier":"Optional","fieldType":{"type":"set","element":"uint64"},"fieldName":"c","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":3,"fieldModifier":"Optional","fieldType":{"type":"map","key":"string","element":{"type":"list","element":"bool"}},"fieldName":"d","fieldDefault":null},
         {"fieldAttributes":[],"fieldOrdinal":4,"fieldModifier":"Optional","fieldType":{"type":"nullable","element":"blob"},"fieldName":"e","fieldDefault":null}])"},
    {"Bonded", "struct A {} struct S { 0: bonded<A> a; }", "/declarations/1/structFields/0/fieldType",
     R"({"type":"bonded","element":{"type":"user","declaration":{"tag":"Struct","declNamespaces":[{"name":["n"]}],
         "declAttributes":[],"declName":"A","declParams":[],"structBase":null,"structFields":[]}}})"},
    {"Base", "struct A {} struct S : A {}", "/declarations/1/structBase",
     R"({"type":"user","declaration":{"tag":"Struct","declNamespaces":[{"name":["n"]}],
         "declAttributes":[],"declName":"A","declParams":[],"structBase":null,"structFields":[]}})"},
    {"EnumFieldAndDefault", "enum E { X, Y } struct S { 0: E e = Y; }", "/declarations/1/structFields/0",
     R"({"fieldAttributes":[],"fieldOrdinal":0,"fieldModifier":"Optional","fieldName":"e",
         "fieldType":{"type":"user","declaration":{"tag":"Enum","declNamespaces":[{"name":["n"]}],"declAttributes":[],
           "declName":"E","enumConstants":[{"constantName":"X","constantValue":null},{"constantName":"Y","constantValue":null}]}},
         "fieldDefault":{"type":"enum","value":"Y"}})"},
    {"DefaultBool", "struct S { 0: bool a = true; }", "/declarations/0/structFields/0/fieldDefault",
     R"({"type":"bool","value":true})"},
    {"DefaultNegativeInteger", "struct S { 0: int8 a = -128; }", "/declarations/0/structFields/0/fieldDefault",
     R"({"type":"integer","value":-128})"},
    {"DefaultHexInteger", "struct S { 0: uint64 a = 0xFFFFFFFFFFFFFFFF; }",
     "/declarations/0/structFields/0/fieldDefault", R"({"type":"integer","value":18446744073709551615})"},
    {"DefaultOctalAndLeadingZeros", "struct S { 0: uint8 a = 0o17; 1: uint8 b = +010; }",
     "/declarations/0/structFields",
     R"([{"fieldAttributes":[],"fieldOrdinal":0,"fieldModifier":"Optional","fieldType":"uint8","fieldName":"a","fieldDefault":{"type":"integer","value":15}},
         {"fieldAttributes":[],"fieldOrdinal":1,"fieldModifier":"Optional","fieldType":"uint8","fieldName":"b","fieldDefault":{"type":"integer","value":10}}])"},
    {"DefaultFloat", "struct S { 0: double a = -2.5e2; }", "/declarations/0/structFields/0/fieldDefault",
     R"({"type":"float","value":-250.0})"},
    {"DefaultFloatIntegral", "struct S { 0: double a = 1.5e3; 1: double b = -0.0; }", "/declarations/0/structFields",
     R"([{"fieldAttributes":[],"fieldOrdinal":0,"fieldModifier":"Optional","fieldType":"double","fieldName":"a","fieldDefault":{"type":"float","value":1500.0}},
         {"fieldAttributes":[],"fieldOrdinal":1,"fieldModifier":"Optional","fieldType":"double","fieldName":"b","fieldDefault":{"type":"float","value":0.0}}])"},
    {"DefaultFloatBelowTheSmallestDouble", "struct S { 0: double a = 1e-400; }",
     "/declarations/0/structFields/0/fieldDefault", R"({"type":"float","value":0.0})"},
    {"DefaultBeyond64BitsForFloatingPointAndParameters",
     "struct S<T> { 0: double a = -0x10000000000000000; 1: T b = 99999999999999999999; }",
     "/declarations/0/structFields/1/fieldDefault", R"({"type":"integer","value":99999999999999999999})"},
    {"DefaultIntegerForFloat", "struct S { 0: float a = 3; }", "/declarations/0/structFields/0/fieldDefault",
     R"({"type":"integer","value":3})"},
    {"DefaultString", R"(struct S { 0: string a = "hi" ; })", "/declarations/0/structFields/0/fieldDefault",
     R"({"type":"string","value":"hi"})"},
    {"DefaultWideString", R"(struct S { 0: wstring a = L"hi"; })", "/declarations/0/structFields/0/fieldDefault",
     R"({"type":"string","value":"hi"})"},
    {"SpaceAfterStringLiterals", "[a(\"x\" )] struct S { 0: string a = \"y\"\t; }",
     "/declarations/0/declAttributes/0/attrValue", R"("x")"},
    {"DecimalEscape", R"(struct S { 0: string a = "\101\65"; })", "/declarations/0/structFields/0/fieldDefault/value",
     R"("eA")"},
    {"OtherEscapes", R"(struct S { 0: string a = "\x41\o101\n\t\\\"\SOH\SO\&H\^A\DEL"; })",
     "/declarations/0/structFields/0/fieldDefault/value", R"("AA\n\t\\\"\u0001\u000eH\u0001\u007f")"},
    {"DefaultNothing", "struct S { 0: list<int8> a = nothing; }", "/declarations/0/structFields/0",
     R"({"fieldAttributes":[],"fieldOrdinal":0,"fieldModifier":"Optional",
         "fieldType":{"type":"maybe","element":{"type":"list","element":"int8"}},"fieldName":"a","fieldDefault":{"type":"nothing"}})"},
    {"SelfReferenceIsForward", "struct Node { 0: nullable<Node> next; }", "/declarations/0/structFields/0/fieldType",
     R"({"type":"nullable","element":{"type":"user","declaration":{"tag":"Forward","declNamespaces":[{"name":["n"]}],
         "declName":"Node","declParams":[]}}})"},
    {"ForwardInContainersAndBonded",
     "struct A; struct B { 0: list<A> a; 1: bonded<A> b; 2: map<int8, A> c; } struct A {}",
     "/declarations/1/structFields/1/fieldType/element/declaration/tag", R"("Forward")"},
    {"UseAfterDefinitionIsStruct", "struct Node; struct Node {} struct S { 0: vector<Node> a; }",
     "/declarations/2/structFields/0/fieldType/element/declaration/tag", R"("Struct")"},
    {"GenericStruct", "struct G<T> : T { 0: T x; }", "/declarations/0",
     R"({"tag":"Struct","declNamespaces":[{"name":["n"]}],"declAttributes":[],"declName":"G",
         "declParams":[{"paramName":"T","paramConstraint":null}],
         "structBase":{"type":"parameter","value":{"paramName":"T","paramConstraint":null}},
         "structFields":[{"fieldAttributes":[],"fieldOrdinal":0,"fieldModifier":"Optional",
           "fieldType":{"type":"parameter","value":{"paramName":"T","paramConstraint":null}},"fieldName":"x","fieldDefault":null}]})"},
    {"GenericInstance", "struct G<T> {} struct S { 0: G<int32> g; }", "/declarations/1/structFields/0/fieldType",
     R"({"type":"user","arguments":["int32"],"declaration":{"tag":"Struct","declNamespaces":[{"name":["n"]}],"declAttributes":[],
         "declName":"G","declParams":[{"paramName":"T","paramConstraint":null}],"structBase":null,"structFields":[]}})"},
    {"Alias", "using Time = int64;", "/declarations/0",
     R"({"tag":"Alias","declNamespaces":[{"name":["n"]}],"declName":"Time","declParams":[],"aliasType":"int64"})"},
    {"GenericAliasWithConstant", "using Arr<T, N> = vector<T>; struct S { 0: Arr<int8, 10> a; }",
     "/declarations/1/structFields/0/fieldType",
     R"({"type":"user","arguments":["int8",{"type":"constant","value":10}],"declaration":{"tag":"Alias",
         "declNamespaces":[{"name":["n"]}],"declName":"Arr","declParams":[{"paramName":"T","paramConstraint":null},
         {"paramName":"N","paramConstraint":null}],"aliasType":{"type":"vector","element":{"type":"parameter",
         "value":{"paramName":"T","paramConstraint":null}}}}})"},
    {"TypeArgumentsReadAsSixtyFourBits",
     "using A<N> = int8; struct S { 0: A<-9223372036854775808> a; 1: A<0xFFFFFFFFFFFFFFFF> b; }",
     "/declarations/1/structFields", R"([
         {"fieldAttributes":[],"fieldOrdinal":0,"fieldModifier":"Optional","fieldName":"a","fieldDefault":null,
          "fieldType":{"type":"user","arguments":[{"type":"constant","value":-9223372036854775808}],"declaration":{"tag":"Alias",
            "declNamespaces":[{"name":["n"]}],"declName":"A","declParams":[{"paramName":"N","paramConstraint":null}],"aliasType":"int8"}}},
         {"fieldAttributes":[],"fieldOrdinal":1,"fieldModifier":"Optional","fieldName":"b","fieldDefault":null,
          "fieldType":{"type":"user","arguments":[{"type":"constant","value":-1}],"declaration":{"tag":"Alias",
            "declNamespaces":[{"name":["n"]}],"declName":"A","declParams":[{"paramName":"N","paramConstraint":null}],"aliasType":"int8"}}}])"},
    {"AliasDefaultChecked", "using Time = int64; struct S { 0: Time t = -5; }",
     "/declarations/1/structFields/0/fieldDefault", R"({"type":"integer","value":-5})"},
    {"View", "struct S { 0: int16 x; 1: string y; 2: list<bool> z; } struct V view_of S { z, x; }", "/declarations/1",
     R"({"tag":"Struct","declNamespaces":[{"name":["n"]}],"declAttributes":[],"declName":"V","declParams":[],"structBase":null,
         "structFields":[{"fieldAttributes":[],"fieldOrdinal":0,"fieldModifier":"Optional","fieldType":"int16","fieldName":"x","fieldDefault":null},
           {"fieldAttributes":[],"fieldOrdinal":2,"fieldModifier":"Optional","fieldType":{"type":"list","element":"bool"},"fieldName":"z","fieldDefault":null}]})"},
    {"Service",
     R"(struct R {} service Calc { [t("1")] R Calculate(R); void Configure(R); R GetStats(); R Sum(stream R); stream R Primes(R);
          stream R Session(stream R); nothing Heartbeat(R); nothing Ping(); })",
     "/declarations/1/serviceMethods",
     R"([{"tag":"Function","methodName":"Calculate","methodAttributes":[{"attrName":["t"],"attrValue":"1"}],"methodInput":{"type":"user","declaration":{"tag":"Struct","declNamespaces":[{"name":["n"]}],"declAttributes":[],"declName":"R","declParams":[],"structBase":null,"structFields":[]}},"methodResult":{"type":"user","declaration":{"tag":"Struct","declNamespaces":[{"name":["n"]}],"declAttributes":[],"declName":"R","declParams":[],"structBase":null,"structFields":[]}},"methodStreaming":"Unary"},
         {"tag":"Function","methodName":"Configure","methodAttributes":[],"methodInput":{"type":"user","declaration":{"tag":"Struct","declNamespaces":[{"name":["n"]}],"declAttributes":[],"declName":"R","declParams":[],"structBase":null,"structFields":[]}},"methodResult":null,"methodStreaming":"Unary"},
         {"tag":"Function","methodName":"GetStats","methodAttributes":[],"methodInput":null,"methodResult":{"type":"user","declaration":{"tag":"Struct","declNamespaces":[{"name":["n"]}],"declAttributes":[],"declName":"R","declParams":[],"structBase":null,"structFields":[]}},"methodStreaming":"Unary"},
         {"tag":"Function","methodName":"Sum","methodAttributes":[],"methodInput":{"type":"user","declaration":{"tag":"Struct","declNamespaces":[{"name":["n"]}],"declAttributes":[],"declName":"R","declParams":[],"structBase":null,"structFields":[]}},"methodResult":{"type":"user","declaration":{"tag":"Struct","declNamespaces":[{"name":["n"]}],"declAttributes":[],"declName":"R","declParams":[],"structBase":null,"structFields":[]}},"methodStreaming":"Client"},
         {"tag":"Function","methodName":"Primes","methodAttributes":[],"methodInput":{"type":"user","declaration":{"tag":"Struct","declNamespaces":[{"name":["n"]}],"declAttributes":[],"declName":"R","declParams":[],"structBase":null,"structFields":[]}},"methodResult":{"type":"user","declaration":{"tag":"Struct","declNamespaces":[{"name":["n"]}],"declAttributes":[],"declName":"R","declParams":[],"structBase":null,"structFields":[]}},"methodStreaming":"Server"},
         {"tag":"Function","methodName":"Session","methodAttributes":[],"methodInput":{"type":"user","declaration":{"tag":"Struct","declNamespaces":[{"name":["n"]}],"declAttributes":[],"declName":"R","declParams":[],"structBase":null,"structFields":[]}},"methodResult":{"type":"user","declaration":{"tag":"Struct","declNamespaces":[{"name":["n"]}],"declAttributes":[],"declName":"R","declParams":[],"structBase":null,"structFields":[]}},"methodStreaming":"Duplex"},
         {"tag":"Event","methodName":"Heartbeat","methodAttributes":[],"methodInput":{"type":"user","declaration":{"tag":"Struct","declNamespaces":[{"name":["n"]}],"declAttributes":[],"declName":"R","declParams":[],"structBase":null,"structFields":[]}}},
         {"tag":"Event","methodName":"Ping","methodAttributes":[],"methodInput":null}])"},
    {"StreamAsAResultTypeName", "struct stream {} service S { stream Get(); }",
     "/declarations/1/serviceMethods/0/methodStreaming", R"("Unary")"},
    {"GenericServiceWithBase", "service B {} service D<T> : B { T Echo(T); }", "/declarations/1",
     R"({"tag":"Service","declNamespaces":[{"name":["n"]}],"declAttributes":[],"declName":"D",
         "declParams":[{"paramName":"T","paramConstraint":null}],
         "serviceBase":{"type":"user","declaration":{"tag":"Service","declNamespaces":[{"name":["n"]}],"declAttributes":[],
           "declName":"B","declParams":[],"serviceBase":null,"serviceMethods":[]}},
         "serviceMethods":[{"tag":"Function","methodName":"Echo","methodAttributes":[],
           "methodInput":{"type":"parameter","value":{"paramName":"T","paramConstraint":null}},
           "methodResult":{"type":"parameter","value":{"paramName":"T","paramConstraint":null}},"methodStreaming":"Unary"}]})"},
    {"Comments", "/* a\n block */ struct S { // line\n 0: int8 a; /* inner */ }",
     "/declarations/0/structFields/0/fieldName", R"("a")"},
    {"UnicodeIdentifiers", "struct Größe { 0: int32 straße; }", "/declarations/0/structFields/0/fieldName",
     R"("straße")"},
    {"NoBreakSpaceSeparates", "struct\u00a0S\u3000{ 0: int8\u00a0a; }", "/declarations/0/declName", R"("S")"},
    {"IdenticalRedefinitionAccepted", "enum E { A } enum E { A }", "/declarations/1/declName", R"("E")"},
    {"MultipleNamespaces", "namespace cpp a\nnamespace cs b\nstruct S {}", "/declarations/0/declNamespaces",
     R"([{"language":"Cpp","name":["a"]},{"language":"Cs","name":["b"]}])"},
    {"SchemaIsAQualifiedNamePart", "namespace a.Schema\nstruct S {}", "/namespaces/0/name", R"(["a","Schema"])"},
};

class AstTest : public ::testing::TestWithParam<AstCase> {};

TEST_P(AstTest, WritesTheLibrarysForm)
{
    const AstCase& row = GetParam();
    const Compiled compiled = CompileText(WithNamespace(row.schema));
    ASSERT_TRUE(compiled.errors.empty()) << compiled.report;
    EXPECT_EQ(compiled.ast.at(json::json_pointer(row.pointer)), json::parse(row.expected));
}

INSTANTIATE_TEST_SUITE_P(Constructs, AstTest, ::testing::ValuesIn(ast_cases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(AstTest, DeclarationsCarryTheFilesNamespaces)
{
    const Compiled compiled = CompileText("namespace n\nstruct S {}");
    ASSERT_TRUE(compiled.errors.empty()) << compiled.report;
    EXPECT_EQ(compiled.ast.at(json::json_pointer("/declarations/0/declNamespaces")), json::parse(ns));
}

TEST(AstTest, ImportedTypesAreWrittenWholeAndImportsListed)
{
    const Compiled compiled =
        CompileFiles({{"main.bond", "import \"dep/other.bond\"\nnamespace n\nstruct S { 0: o.E e = B; }"},
                      {"dep/other.bond", "namespace o\nenum E { A, B }"}});
    ASSERT_TRUE(compiled.errors.empty()) << compiled.report;
    EXPECT_EQ(compiled.ast.at(json::json_pointer("/imports")), json::parse(R"(["dep/other.bond"])"));
    EXPECT_EQ(compiled.ast.at(json::json_pointer("/declarations")).size(), 1U);
    EXPECT_EQ(
        compiled.ast.at(json::json_pointer("/declarations/0/structFields/0/fieldType/declaration/declNamespaces")),
        json::parse(R"([{"name":["o"]}])"));
}

TEST(AstTest, WhiteSpaceOpeningAnImportPathIsPassedOver)
{
    const Compiled compiled = CompileFiles(
        {{"main.bond", "import \" \tother.bond\"\nnamespace n\nstruct S {}"}, {"other.bond", "namespace o"}});
    ASSERT_TRUE(compiled.errors.empty()) << compiled.report;
    EXPECT_EQ(compiled.ast.at(json::json_pointer("/imports")), json::parse(R"(["other.bond"])"));
}

TEST(AstTest, ImportsAreSearchedInImportDirsAndReadOnce)
{
    const Compiled compiled =
        CompileFiles({{"main.bond", "import \"a.bond\"\nimport \"b.bond\"\nnamespace n\nstruct S { 0: o.C c; }"},
                      {"lib/a.bond", "import \"c.bond\"\nnamespace o\nstruct A {}"},
                      {"lib/b.bond", "import \"c.bond\"\nnamespace o\nstruct B {}"},
                      {"lib/c.bond", "namespace o\nstruct C {}"}},
                     {"lib"});
    EXPECT_TRUE(compiled.errors.empty()) << compiled.report;
}

}  // namespace
}  // namespace certpluck::gbc::testing
