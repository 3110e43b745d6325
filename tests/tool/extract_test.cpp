// What the tool outputs for a package, or the exact failure, by input bytes.
#include "extract.h"

#include "hex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using testing_support::FromHex;
using testing_support::ToHex;

std::string OutOfBounds(uint32_t requested, uint32_t offset, uint32_t length)
{
    return "Read out of bounds: " + std::to_string(requested) + " bytes requested, offset: " + std::to_string(offset) +
           ", length: " + std::to_string(length);
}

std::string Repeat(const std::string& text, int times)
{
    std::string repeated;
    for (int i = 0; i < times; ++i) {
        repeated += text;
    }
    return repeated;
}

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

TEST(ExtractUnmanagedCerts, ReadsTheCertificateField)
{
    ExpectAll({
        {"end marker alone", "00", ""},
        {"certificate only", "0b0e0341424300", "414243"},
        {"with an empty nested record", "0b0e03414243 2a0000", "414243"},
        {"trailing bytes ignored", "0b0e0341424300 ffff0b", "414243"},
        {"no certificate field", "2a0000", ""},
        {"empty certificate", "0b0e0000", ""},
        {"given twice: the later wins", "0b0e0141 0b0e024243 00", "4243"},
        {"after a higher declared id", "2a00 0b0e0141 00", ""},
        {"after an undeclared id", "c90700 0b0e0141 00", ""},
        {"undeclared fields after it", "0b0e0141 c90100 d00702 00", "41"},
        {"base end marker first", "01 0b0e0341424300", ""},
        {"marshaling header is read as a package", "43420100 0b0e0341424300", ""},
        {"a later field of the wrong type", "0b0e0141 7002 00", "41"},
        {"the certificate as a string", "0903414243 00", ""},
        {"the certificate as a set", "0c0e0141 00", ""},
        {"list of records with int8 elements", "0b0e0141 8b0e024142 00", "41"},
    });
}

TEST(ExtractUnmanagedCerts, CertificateElementsOfAnotherTypeAreSkipped)
{
    ExpectAll({
        {"uint8", "0b0303414243 00", ""},
        {"bool", "0b020201 00 00", ""},
        {"uint16", "0b0402 ac02 01 00", ""},
        {"int32", "0b1002 02 04 00", ""},
        {"int64", "0b1101 ffffffffffffffffff01 00", ""},
        {"float", "0b0701 0000803f 00", ""},
        {"double", "0b0801 000000000000f03f 00", ""},
        {"string", "0b0902 0161 00 00", ""},
        {"wstring", "0b1201 014100 00", ""},
        {"struct", "0b0a02 00 2a0000 00", ""},
        {"list", "0b0b01 0e0141 00", ""},
        {"set", "0b0c01 0e0141 00", ""},
        {"map", "0b0d01 090e 01 0161 41 00", ""},
    });
}

TEST(ExtractUnmanagedCerts, CutInputFailsWithTheReadThatRanOut)
{
    ExpectAll({
        {"empty input", "", "!" + OutOfBounds(1, 0, 0)},
        {"field header alone", "0b", "!" + OutOfBounds(1, 1, 1)},
        {"certificate cut short", "0b0e054142", "!" + OutOfBounds(5, 3, 5)},
        {"later field cut short", "0b0e03414243 4b0e0558", "!" + OutOfBounds(5, 9, 10)},
        {"no end marker", "0b0e0141", "!" + OutOfBounds(1, 4, 4)},
        {"two-byte id cut", "eb01", "!" + OutOfBounds(2, 1, 2)},
        {"varint cut", "0b0e80", "!" + OutOfBounds(1, 3, 3)},
        {"wide string cut", "72034100 42", "!" + OutOfBounds(2, 4, 5)},
        {"nested record cut", "2a0b0e0141", "!" + OutOfBounds(1, 5, 5)},
        {"over-long later copy of an integer", "ab0a02 100f 10ffffffffffff0f 00", "!" + OutOfBounds(1, 14, 14)},
    });
}

// A value that is passed over must lie inside the input; reading never goes on
// inside data that should have been passed over.
TEST(ExtractUnmanagedCerts, SkippingPastTheEndFails)
{
    ExpectAll({
        {"string", "0b0e0141 c907054100", "!" + OutOfBounds(5, 7, 9)},
        {"wide string", "0b0e0141 d20703410000", "!" + OutOfBounds(6, 7, 10)},
        {"bool", "0b0e0141 c207", "!" + OutOfBounds(1, 6, 6)},
        {"double", "0b0e0141 c807 0000", "!" + OutOfBounds(8, 6, 8)},
        {"list of doubles", "cb07 0802 00", "!" + OutOfBounds(16, 4, 5)},
        {"certificate of floats", "0b0702 0000803f", "!" + OutOfBounds(4, 7, 7)},
    });
}

// A code that names no type is an error where a value of it has to be read or
// passed over; an empty container's element, key and value codes name nothing
// that is read, so it is passed over whatever they are.
TEST(ExtractUnmanagedCerts, InvalidTypeCodesAreErrorsWhereAValueHasThem)
{
    const std::string unknown = "!Unknown data type found";
    ExpectAll({
        {"certificate of type 0", "0b0001 41 00", unknown},
        {"certificate of type 1", "0b0102 4142 00", unknown},
        {"certificate of type 19", "0b1301 41 00", unknown},
        {"certificate of type 31", "0b1f01 41 00", unknown},
        {"declared wide string as 19", "73 00 00", unknown},
        {"declared list of records of 19", "8b1301 00 00", unknown},
        {"undeclared field of 31", "df07 00", unknown},
        {"skipped list of 0", "cb070001 00", unknown},
        {"skipped map value of 127", "cd07097f01 00 00 00", unknown},
        {"inside a skipped record", "ca07 33 00 00", unknown},
        {"empty certificate of type 19", "0b1300 0b0e0141 00", "41"},
        {"empty certificate of type 1 after one", "0b0e0141 0b0100 00", "41"},
        {"empty declared list of records of 19", "8b1300 00", ""},
        {"empty skipped map of 19 to 20", "cd071314 00 00", ""},
        {"empty skipped list of 0", "cb070000 0b0e0141 00", ""},
        {"empty map inside a skipped record", "ca07 cd0700ff00 00 00", ""},
    });
}

TEST(ExtractUnmanagedCerts, SizesBeyondThirtyTwoBitsOverflow)
{
    const std::string overflow = "!Overflow on multiplication";
    ExpectAll({
        {"wide string of 2^31", "d207 8080808008", overflow},
        {"floats 2^30", "cb07 07 8080808004", overflow},
        {"doubles 2^29", "cb07 08 8080808002", overflow},
    });
}

// Declared counts are not trusted: the input has to back them.
TEST(ExtractUnmanagedCerts, HugeDeclaredCountsFailWhereTheDataEnds)
{
    ExpectAll({
        {"2^32 - 1 records", "8b0a ffffffff0f", "!" + OutOfBounds(1, 7, 7)},
        {"2^32 - 1 records, one present", "8b0a ffffffff0f 00", "!" + OutOfBounds(1, 8, 8)},
        {"2^31 wide characters", "72 8080808008", "!" + OutOfBounds(2, 6, 6)},
        {"2^32 - 1 certificate bytes", "0b0e ffffffff0f 41", "!" + OutOfBounds(4294967295, 7, 8)},
    });
}

// The record is level 1 and every record or container inside is one deeper;
// entering level 65 fails.
TEST(ExtractUnmanagedCerts, NestingIsBounded)
{
    const auto nested_unknown = [](int records) {
        return "ca07" + Repeat("0a", records - 1) + Repeat("00", records) + "00";
    };
    ExpectAll({
        {"63 unknown records", nested_unknown(63), ""},
        {"64 unknown records", nested_unknown(64), "!Max recursion depth exceeded"},
        {"63 unknown lists", "cb07" + Repeat("0b01", 62) + "0b00" + "00", ""},
        {"64 unknown lists", "cb07" + Repeat("0b01", 63) + "0b00" + "00", "!Max recursion depth exceeded"},
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
