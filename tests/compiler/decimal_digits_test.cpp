// Integer literals of any size and base read as decimal digits, which is how a
// default beyond 64 bits is written into the JSON AST.
#include "compiler/lexer.h"

#include <gtest/gtest.h>

namespace certpluck::gbc {
namespace {

struct DigitsCase {
    const char* name;
    const char* literal;
    const char* digits;
};

const DigitsCase digits_cases[] = {
    {"Zero", "0", "0"},
    {"LeadingZeros", "000120", "120"},
    {"Hex", "0x1F", "31"},
    {"HexUpperCasePrefix", "0XfF", "255"},
    {"Octal", "0o17", "15"},
    {"HexPastSixtyFourBits", "0x10000000000000000", "18446744073709551616"},
    {"OctalPastSixtyFourBits", "0o2000000000000000000000", "18446744073709551616"},
    {"DecimalPastSixtyFourBits", "123456789012345678901234567890", "123456789012345678901234567890"},
};

class DecimalDigitsTest : public ::testing::TestWithParam<DigitsCase> {};

TEST_P(DecimalDigitsTest, GivesTheValueInDecimal)
{
    EXPECT_EQ(DecimalDigits(GetParam().literal), GetParam().digits);
}

INSTANTIATE_TEST_SUITE_P(Literals, DecimalDigitsTest, ::testing::ValuesIn(digits_cases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace certpluck::gbc
