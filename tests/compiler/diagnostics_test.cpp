// Bad schema text in, the first error out: its file, line, column and
// message. Each row is one thing the compiler refuses.
#include "compile_text.h"

#include <gtest/gtest.h>

namespace certpluck::gbc::testing {
namespace {

struct BadCase {
    const char* name;
    const char* schema;
    Located error;
};

const BadCase bad_cases[] = {
    // Syntax.
    {"NoNamespace", "struct S {}", {"main.bond", 1, 1, "expected 'namespace', found 'struct'"}},
    {"MissingSemicolon",
     "namespace n\nstruct S { 0: int8 a }",
     {"main.bond", 2, 22, "expected ';' after the field, found '}'"}},
    {"KeywordAsName",
     "namespace n\nstruct S { 0: int8 list; }",
     {"main.bond", 2, 20, "expected a field's name (a keyword cannot be one), found 'list'"}},
    {"EmptyEnum", "namespace n\nenum E {}", {"main.bond", 2, 9, "expected an enum constant, found '}'"}},
    {"AttributeOnForward",
     "namespace n\n[a(\"b\")] struct S;",
     {"main.bond", 2, 18, "expected '{' to open the struct's fields, found ';'"}},
    {"UnterminatedString",
     "namespace n\nstruct S { 0: string a = \"x; }",
     {"main.bond", 2, 26, "unterminated string literal"}},
    {"UnterminatedComment", "namespace n\n/* struct S {}", {"main.bond", 2, 1, "unterminated comment"}},
    {"StrayCharacter", "namespace n\nstruct S { 0: int8 a; } #", {"main.bond", 2, 25, "unexpected character '#'"}},
    {"InvalidUtf8", "namespace n\nstruct \xff {}", {"main.bond", 2, 8, "invalid UTF-8 in the schema file"}},
    {"BadEscape",
     "namespace n\nstruct S { 0: string a = \"\\q\"; }",
     {"main.bond", 2, 27, "invalid escape sequence in a string literal"}},
    {"EscapeBeyondUnicode",
     "namespace n\nstruct S { 0: string a = \"\\1114112\"; }",
     {"main.bond", 2, 27, "escape sequence out of the range of Unicode characters"}},
    {"TooDeep",
     "namespace n\nstruct S { 0: "
     "list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<"
     "list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<"
     "list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<list<int8>>>>"
     ">>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>> a; }",
     {"main.bond", 2, 335, "types are nested too deeply, found 'list'"}},
    {"MetaTypeInContainer",
     "namespace n\nstruct S { 0: list<bond_meta::name> a; }",
     {"main.bond", 2, 20, "bond_meta types can only be the type of a field"}},
    // Values out of range.
    {"OrdinalTooLarge",
     "namespace n\nstruct S { 65536: int8 a; }",
     {"main.bond", 2, 12, "field ordinals go from 0 to 65535"}},
    {"NegativeOrdinal",
     "namespace n\nstruct S { -1: int8 a; }",
     {"main.bond", 2, 12, "field ordinals go from 0 to 65535"}},
    {"EnumValueBeyond32Bits",
     "namespace n\nenum E { A = 4294967296 }",
     {"main.bond", 2, 14, "the value of enum constant 'A' does not fit in 32 bits"}},
    {"EnumValueBeyond64Bits",
     "namespace n\nenum E { A = 18446744073709551617 }",
     {"main.bond", 2, 14, "integer literal too large for 64 bits"}},
    {"FloatBeyondTheLargestDouble",
     "namespace n\nstruct S { 0: double a = 1e400; }",
     {"main.bond", 2, 26, "floating-point literal out of range"}},
    {"DefaultOutOfRange",
     "namespace n\nstruct S { 0: uint8 a = 256; }",
     {"main.bond", 2, 25, "default value 256 is out of the range of field 'a'"}},
    {"DefaultBeyond64BitsForAnInteger",
     "namespace n\nstruct S { 0: int64 a = -0x10000000000000000; }",
     {"main.bond", 2, 25, "default value -18446744073709551616 is out of the range of field 'a'"}},
    {"NegativeDefaultForUnsigned",
     "namespace n\nstruct S { 0: uint32 a = -1; }",
     {"main.bond", 2, 26, "default value -1 is out of the range of field 'a'"}},
    // Names.
    {"DuplicateOrdinal",
     "namespace n\nstruct S { 0: int8 a; 0: int8 b; }",
     {"main.bond", 2, 23, "duplicate field ordinal 0"}},
    {"DuplicateFieldName",
     "namespace n\nstruct S { 0: int8 a; 1: int8 a; }",
     {"main.bond", 2, 23, "duplicate field name 'a'"}},
    {"DuplicateEnumConstant", "namespace n\nenum E { A, B, A }", {"main.bond", 2, 16, "duplicate enum constant 'A'"}},
    {"DuplicateMethod",
     "namespace n\nstruct R {} service S { R f(); R f(R); }",
     {"main.bond", 2, 32, "duplicate method 'f'"}},
    {"UnknownType", "namespace n\nstruct S { 0: Missing a; }", {"main.bond", 2, 15, "unknown type 'Missing'"}},
    {"OtherNamespaceNeedsQualifying",
     "namespace n\nstruct S { 0: o.T a; }",
     {"main.bond", 2, 15, "unknown type 'o.T'"}},
    {"RedefinedDifferently",
     "namespace n\nstruct S { 0: int8 a; }\nstruct S { 0: int16 a; }",
     {"main.bond", 3, 1, "struct 'S' is defined again, differently"}},
    {"EnumRedefinedDifferently",
     "namespace n\nenum E { A }\nenum E { B }",
     {"main.bond", 3, 1, "enum 'E' is already defined as enum 'E'"}},
    {"StructThenEnum",
     "namespace n\nstruct S {}\nenum S { B }",
     {"main.bond", 3, 1, "enum 'S' is already defined as struct 'S'"}},
    {"ForwardWithOtherParams",
     "namespace n\nstruct S<T>;\nstruct S {}",
     {"main.bond", 3, 1, "'S' is declared with other type parameters than before"}},
    // Types misused.
    {"ServiceAsType",
     "namespace n\nservice V {}\nstruct S { 0: V v; }",
     {"main.bond", 3, 15, "service 'V' is not a type"}},
    {"TooFewTypeArguments",
     "namespace n\nstruct G<A, B> {}\nstruct S { 0: G<int8> g; }",
     {"main.bond", 3, 15, "'G' takes 2 type arguments, not 1"}},
    {"NotGeneric",
     "namespace n\nstruct G {}\nstruct S { 0: G<int8> g; }",
     {"main.bond", 3, 15, "'G' takes no type arguments"}},
    {"ArgumentsToAParameter",
     "namespace n\nstruct G<T> { 0: T<int8> g; }",
     {"main.bond", 2, 18, "type parameter 'T' takes no type arguments"}},
    {"BaseNotAStruct",
     "namespace n\nenum E { A }\nstruct S : E {}",
     {"main.bond", 3, 12, "a struct's base must be a struct"}},
    {"OwnBase", "namespace n\nstruct S : S {}", {"main.bond", 2, 12, "struct 'S' cannot be its own base"}},
    {"HoldsItselfByValue",
     "namespace n\nstruct S { 0: S s; }",
     {"main.bond", 2, 15, "struct 'S' cannot hold itself by value; use nullable<S>"}},
    {"HoldsItselfThroughAnAlias",
     "namespace n\nstruct S;\nusing A = S;\nstruct S { 0: A s; }",
     {"main.bond", 4, 15, "struct 'S' cannot hold itself by value; use nullable<S>"}},
    {"HoldsAForwardStructByValue",
     "namespace n\nstruct A;\nstruct B { 0: A a; }\nstruct A { 0: B b; }",
     {"main.bond", 3, 15,
      "struct 'A' is not defined yet: until it is, a field can hold it only in nullable<>, bonded<> or a container"}},
    {"ForwardStructAsBase",
     "namespace n\nstruct A;\nstruct B : A {}",
     {"main.bond", 3, 12, "struct 'A' must be defined before it can be a base"}},
    {"BondedOfNonStruct",
     "namespace n\nstruct S { 0: bonded<int8> b; }",
     {"main.bond", 2, 22, "bonded<T> needs a struct for T"}},
    {"MapKeyNotScalar",
     "namespace n\nstruct S { 0: map<blob, int8> m; }",
     {"main.bond", 2, 19, "a set's or map's key must be a scalar, string or enum type"}},
    {"SetOfStructs",
     "namespace n\nstruct K {}\nstruct S { 0: set<K> m; }",
     {"main.bond", 3, 19, "a set's or map's key must be a scalar, string or enum type"}},
    {"ViewOfNonStruct",
     "namespace n\nenum E { A }\nstruct V view_of E { A }",
     {"main.bond", 3, 18, "a view must be of a defined struct; 'E' is not one"}},
    {"ViewOfMissingField",
     "namespace n\nstruct S { 0: int8 a; }\nstruct V view_of S { a, b }",
     {"main.bond", 3, 25, "struct 'S' has no field 'b'"}},
    {"MethodInputNotStruct",
     "namespace n\nenum E { A }\nservice V { void f(E); }",
     {"main.bond", 3, 20, "a method's input and result must be structs"}},
    {"StreamingEvent",
     "namespace n\nstruct R {}\nservice V { nothing f(stream R); }",
     {"main.bond", 3, 13, "event 'f' cannot take a stream: it returns nothing"}},
    {"ServiceBaseNotService",
     "namespace n\nstruct R {}\nservice V : R {}",
     {"main.bond", 3, 13, "a service's base must be a service"}},
    // Defaults.
    {"EnumWithoutDefault",
     "namespace n\nenum E { A }\nstruct S { 0: E e; }",
     {"main.bond", 3, 17, "enum field 'e' needs a default: one of the enum's constants, or 'nothing'"}},
    {"EnumDefaultNotAConstant",
     "namespace n\nenum E { A }\nenum F { B }\nstruct S { 0: E e = B; }",
     {"main.bond", 4, 21, "'B' is not a constant of enum 'E'"}},
    {"NothingForAStruct",
     "namespace n\nstruct R {}\nstruct S { 0: R r = nothing; }",
     {"main.bond", 3, 21, "field 'r' holds a struct, which cannot default to 'nothing'"}},
    {"StringForAnInteger",
     "namespace n\nstruct S { 0: int32 a = \"1\"; }",
     {"main.bond", 2, 25, "the default value does not suit the type of field 'a'"}},
    {"FloatForAnInteger",
     "namespace n\nstruct S { 0: int32 a = 1.5; }",
     {"main.bond", 2, 25, "the default value does not suit the type of field 'a'"}},
    {"IntegerForABool",
     "namespace n\nstruct S { 0: bool a = 1; }",
     {"main.bond", 2, 24, "the default value does not suit the type of field 'a'"}},
    {"DefaultForAContainer",
     "namespace n\nstruct S { 0: list<int8> a = 1; }",
     {"main.bond", 2, 30, "the default value does not suit the type of field 'a'"}},
    {"EnumConstantForAString",
     "namespace n\nstruct S { 0: string a = A; }",
     {"main.bond", 2, 26, "the default value does not suit the type of field 'a'"}},
};

class DiagnosticsTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(DiagnosticsTest, RefusesWithThePosition)
{
    const BadCase& row = GetParam();
    const Compiled compiled = CompileText(row.schema);
    ASSERT_FALSE(compiled.errors.empty()) << "accepted: " << row.schema;
    EXPECT_EQ(compiled.errors.front(), row.error) << compiled.report;
    EXPECT_TRUE(compiled.ast.is_null());
}

INSTANTIATE_TEST_SUITE_P(BadSchemas, DiagnosticsTest, ::testing::ValuesIn(bad_cases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(DiagnosticsTest, ReportsEveryErrorOfOnePass)
{
    const Compiled compiled = CompileText("namespace n\nstruct S { 0: int8 a }\nstruct T { 0: Missing m; 1 int8 b; }\n"
                                          "enum E { A = }");
    ASSERT_EQ(compiled.errors.size(), 3U) << compiled.report;
    EXPECT_EQ(compiled.errors[0].line, 2U);
    EXPECT_EQ(compiled.errors[1].line, 3U);
    EXPECT_EQ(compiled.errors[2].line, 4U);
}

TEST(DiagnosticsTest, ReportsEverySemanticErrorOfAWellFormedFile)
{
    const Compiled compiled = CompileText("namespace n\nstruct S { 0: Missing a; 1: int8 b = 300; 1: int8 c; }");
    EXPECT_EQ(compiled.errors.size(), 3U) << compiled.report;
}

TEST(DiagnosticsTest, AnUnknownTypeGivesOneErrorWhereverItIs)
{
    const Compiled compiled = CompileText(
        "namespace n\nstruct S : A { 0: B b = 1; 1: bonded<C> c; 2: map<D, int8> d; }\nservice V { E f(F); }");
    EXPECT_EQ(compiled.errors.size(), 6U) << compiled.report;
}

TEST(DiagnosticsTest, ShowsTheLineAndACaret)
{
    const Compiled compiled = CompileText("namespace n\nstruct S {\n\t0: Missing a;\n}");
    EXPECT_EQ(compiled.report, "main.bond:3:5: error: unknown type 'Missing'\n\t0: Missing a;\n\t   ^\n");
}

TEST(DiagnosticsTest, NotesWhereTheEarlierDefinitionIs)
{
    const Compiled compiled = CompileText("namespace n\nstruct S { 0: int8 a; 0: int8 b; }");
    EXPECT_NE(compiled.report.find("main.bond:2:12: note: the earlier one is here\n"), std::string::npos)
        << compiled.report;
}

TEST(DiagnosticsTest, StopsAfterTooManyErrors)
{
    const Compiled compiled = CompileText(std::string(10000, '#'));
    EXPECT_EQ(compiled.errors.size(), Diagnostics::max_errors);
    EXPECT_NE(compiled.report.find("too many errors"), std::string::npos);
}

TEST(DiagnosticsTest, ShortensNamesThatWouldFloodTheReport)
{
    const Compiled compiled = CompileText("namespace n\nstruct S { 0: " + std::string(1 << 20, 'x') + " a; }");
    ASSERT_EQ(compiled.errors.size(), 1U);
    EXPECT_EQ(compiled.errors[0].message, "unknown type '" + std::string(286, 'x') + "...");
}

TEST(DiagnosticsTest, MissingImportIsReportedAtTheImport)
{
    const Compiled compiled = CompileText("import \"nowhere.bond\"\nnamespace n");
    ASSERT_EQ(compiled.errors.size(), 1U) << compiled.report;
    EXPECT_EQ(compiled.errors[0], (Located{"main.bond", 1, 8, "cannot find the imported file 'nowhere.bond'"}));
}

TEST(DiagnosticsTest, ImportCycleIsRefused)
{
    const Compiled compiled = CompileFiles(
        {{"main.bond", "import \"a.bond\"\nnamespace n"}, {"a.bond", "import \"main.bond\"\nnamespace n"}});
    ASSERT_EQ(compiled.errors.size(), 1U) << compiled.report;
    EXPECT_EQ(compiled.errors[0], (Located{"a.bond", 1, 8, "import cycle: 'main.bond' imports itself"}));
}

TEST(DiagnosticsTest, ErrorsInAnImportedFileNameThatFile)
{
    const Compiled compiled = CompileFiles({{"main.bond", "import \"a.bond\"\nnamespace n\nstruct S { 0: o.A a; }"},
                                            {"a.bond", "namespace o\nstruct A {"}});
    ASSERT_EQ(compiled.errors.size(), 1U) << compiled.report;
    EXPECT_EQ(compiled.errors[0].file, "a.bond");
}

}  // namespace
}  // namespace certpluck::gbc::testing
