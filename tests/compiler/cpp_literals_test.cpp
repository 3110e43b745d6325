// The C++ literals the generator writes for a schema's values: text escaped
// so that it reads back exactly, integers at their type's limits, and
// floating-point numbers that round-trip.
#include "compiler/cpp/literals.h"

#include <gtest/gtest.h>

namespace certpluck::gbc::cpp {
namespace {

struct StringCase {
    const char* name;
    std::string text;
    bool wide;
    const char* literal;
};

const StringCase string_cases[] = {
    {"Plain", "abc", false, R"("abc")"},
    {"QuoteAndBackslash", "a\"b\\c", false, R"("a\"b\\c")"},
    {"ControlCharacters", "\n\t\x01", false, R"("\012\011\001")"},
    {"DigitAfterAnEscape",
     std::string("\0"
                 "1",
                 2),
     false, R"("\0001")"},
    {"NarrowNonAsciiAsUtf8Bytes", "\xC3\xA9", false, R"("\303\251")"},
    {"WidePlain", "abc", true, R"(L"abc")"},
    {"WideQuote", "\"\\", true, R"(L"\"\\")"},
    {"WideBmp", "\xC3\xA9\xE2\x98\x83", true, R"(L"\u00E9\u2603")"},
    {"WideAstral", "\xF0\x9D\x84\x9E", true, R"(L"\U0001D11E")"},
    {"WideC1ControlAsOctal", "\xC2\x85", true, R"(L"\205")"},
    {"Empty", "", false, R"("")"},
};

class StringLiteralTest : public ::testing::TestWithParam<StringCase> {};

TEST_P(StringLiteralTest, Escapes)
{
    EXPECT_EQ(StringLiteral(GetParam().text, GetParam().wide), GetParam().literal);
}

INSTANTIATE_TEST_SUITE_P(Literals, StringLiteralTest, ::testing::ValuesIn(string_cases),
                         [](const auto& test) { return std::string(test.param.name); });

struct IntegerCase {
    const char* name;
    Integer value;
    TypeKind kind;
    const char* literal;
};

const IntegerCase integer_cases[] = {
    {"Zero", {0, false, {}}, TypeKind::int32, "0"},
    {"Negative", {5, true, {}}, TypeKind::int8, "-5"},
    {"Int64Min", {uint64_t{1} << 63, true, {}}, TypeKind::int64, "(-9223372036854775807 - 1)"},
    {"Int64Max", {9223372036854775807u, false, {}}, TypeKind::int64, "9223372036854775807"},
    {"UnsignedSuffix", {4294967295u, false, {}}, TypeKind::uint32, "4294967295u"},
    {"Uint64Max", {18446744073709551615u, false, {}}, TypeKind::uint64, "18446744073709551615u"},
};

class IntegerLiteralTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerLiteralTest, FitsItsType)
{
    EXPECT_EQ(IntegerLiteral(GetParam().value, GetParam().kind), GetParam().literal);
}

INSTANTIATE_TEST_SUITE_P(Literals, IntegerLiteralTest, ::testing::ValuesIn(integer_cases),
                         [](const auto& test) { return std::string(test.param.name); });

struct FloatingCase {
    const char* name;
    double value;
    TypeKind kind;
    const char* literal;
};

const FloatingCase floating_cases[] = {
    {"Whole", 3, TypeKind::float64, "3.0"},
    {"Fraction", 0.1, TypeKind::float64, "0.1"},
    {"FloatSuffix", 0.5, TypeKind::float32, "0.5f"},
    {"WholeFloat", 2, TypeKind::float32, "2.0f"},
    {"Exponent", -1.25e-300, TypeKind::float64, "-1.25e-300"},
};

class FloatingLiteralTest : public ::testing::TestWithParam<FloatingCase> {};

TEST_P(FloatingLiteralTest, RoundTrips)
{
    EXPECT_EQ(FloatingLiteral(GetParam().value, GetParam().kind), GetParam().literal);
}

INSTANTIATE_TEST_SUITE_P(Literals, FloatingLiteralTest, ::testing::ValuesIn(floating_cases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace certpluck::gbc::cpp
