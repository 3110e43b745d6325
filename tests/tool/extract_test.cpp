// What the tool outputs for a package, or the exact failure, by input bytes.
#include "extract.h"

#include "hex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing_support::FromHex;
using testing_support::ToHex;

struct Case {
    const char* what;
    std::string input;   // hex
    std::string result;  // hex of the output, or "!" followed by the exact message
};

std::string Run(const std::string& hex)
{
    const std::vector<char> input = FromHex(hex);
    std::span<const char> output;
    try {
        certpluck::ExtractUnmanagedCerts(input, output);
    } catch (const std::exception& e) {
        return std::string("!") + e.what();
    }
    EXPECT_TRUE(output.empty() ||
                (output.data() >= input.data() && output.data() + output.size() <= input.data() + input.size()))
        << "the output must refer into the input";
    return ToHex(output);
}

void ExpectAll(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.input), c.result) << c.what << ": " << c.input;
    }
}

// The decoding rules are the parsers' (tests/runtime) and the reference
// tables' (tests/schema); here, what the tool makes of a decoded package.
TEST(ExtractUnmanagedCerts, OutputsTheCertificateBytesOrTheFailure)
{
    ExpectAll({
        {"certificate only", "0b0e0341424300", "414243"},
        {"beside other fields", "0b0e03414243 2a0000", "414243"},
        {"no certificate field", "2a0000", ""},
        {"trailing bytes ignored", "0b0e0341424300 ffff0b", "414243"},
        {"certificate cut short", "0b0e054142", "!Read out of bounds: 5 bytes requested, offset: 3, length: 5"},
    });
}

TEST(ExtractUnmanagedCerts, OutputIsUntouchedOnFailure)
{
    const std::vector<char> previous = FromHex("aabb");
    std::span<const char> output(previous);
    const std::vector<char> input = FromHex("0b0e054142");
    EXPECT_ANY_THROW(certpluck::ExtractUnmanagedCerts(input, output));
    EXPECT_EQ(output.data(), previous.data());
    EXPECT_EQ(output.size(), previous.size());
}

}  // namespace
