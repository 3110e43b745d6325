#include <bond/stream/input_buffer.h>

#include "hex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using testing_support::FromHex;
using testing_support::MessageOf;

template <typename T>
struct VarintCase {
    const char* hex;
    T value;
    uint32_t consumed;
};

// Each case runs twice: alone, where the buffer checks every byte, and followed
// by padding, where it takes the unchecked path; both must agree.
template <typename T>
void ExpectVarints(const std::vector<VarintCase<T>>& cases)
{
    for (const auto& c : cases) {
        for (const char* padding : {"", "01010101010101010101"}) {
            const std::vector<char> bytes = FromHex(std::string(c.hex) + padding);
            bond::InputBuffer input(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size())));
            T value = 0;
            input.ReadVariableUnsigned(value);
            EXPECT_EQ(value, c.value) << c.hex << " padding " << padding;
            EXPECT_EQ(input.GetPosition(), c.consumed) << c.hex << " padding " << padding;
        }
    }
}

TEST(InputBuffer, Varint16TakesAtMostThreeBytes)
{
    ExpectVarints<uint16_t>({
        {"00", 0, 1},
        {"7f", 127, 1},
        {"8001", 128, 2},
        {"ffff03", 0xFFFF, 3},
        {"808080", 0, 3},
        {"ffffff", 0xFFFF, 3},
    });
}

TEST(InputBuffer, Varint32TakesAtMostFiveBytes)
{
    ExpectVarints<uint32_t>({
        {"00", 0, 1},
        {"ac02", 300, 2},
        {"ffffffff0f", 0xFFFFFFFF, 5},
        {"8080808080", 0, 5},
        {"ffffffffff", 0xFFFFFFFF, 5},
        {"8180808000", 1, 5},
    });
}

TEST(InputBuffer, Varint64TakesAtMostTenBytes)
{
    ExpectVarints<uint64_t>({
        {"00", 0, 1},
        {"ffffffffffffffffff01", UINT64_MAX, 10},
        {"ffffffffffffffff7f", 0x7FFFFFFFFFFFFFFF, 9},
        {"80808080808080808080", 0, 10},
    });
}

TEST(InputBuffer, ReadsFixedWidthLittleEndian)
{
    const std::vector<char> bytes = FromHex("3412 78563412 0000c03f");
    bond::InputBuffer input(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size())));
    uint16_t u16;
    uint32_t u32;
    float f;
    input.Read(u16);
    input.Read(u32);
    input.Read(f);
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(u32, 0x12345678u);
    EXPECT_EQ(f, 1.5f);
}

TEST(InputBuffer, BlobReadSharesTheInputsBytes)
{
    const std::vector<char> bytes = FromHex("01 020304 05");
    bond::InputBuffer input(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size())));
    input.Skip(1);
    bond::blob part;
    input.Read(part, 3);
    EXPECT_EQ(part.content(), bytes.data() + 1);
    EXPECT_EQ(part.size(), 3u);
    EXPECT_EQ(input.GetPosition(), 4u);
}

// N is what the failing read needed, P the position at it, L the input length.
TEST(InputBuffer, OutOfBoundsNamesRequestOffsetAndLength)
{
    struct Case {
        const char* hex;
        void (*read)(bond::InputBuffer&);
        const char* message;
    };
    const Case cases[] = {
        {"",
         [](bond::InputBuffer& in) {
             uint8_t b;
             in.Read(b);
         },
         "Read out of bounds: 1 bytes requested, offset: 0, length: 0"},
        {"80",
         [](bond::InputBuffer& in) {
             uint32_t v;
             in.ReadVariableUnsigned(v);
         },
         "Read out of bounds: 1 bytes requested, offset: 1, length: 1"},
        {"ffff",
         [](bond::InputBuffer& in) {
             uint64_t v;
             in.ReadVariableUnsigned(v);
         },
         "Read out of bounds: 1 bytes requested, offset: 2, length: 2"},
        {"000000",
         [](bond::InputBuffer& in) {
             uint32_t v;
             in.Skip(1);
             in.Read(v);
         },
         "Read out of bounds: 4 bytes requested, offset: 1, length: 3"},
        {"0102",
         [](bond::InputBuffer& in) {
             bond::blob b;
             in.Skip(1);
             in.Read(b, 5);
         },
         "Read out of bounds: 5 bytes requested, offset: 1, length: 2"},
        {"0102",
         [](bond::InputBuffer& in) {
             in.Skip(1);
             in.Skip(2);
         },
         "Read out of bounds: 2 bytes requested, offset: 1, length: 2"},
        {"0102",
         [](bond::InputBuffer& in) {
             char dst[3];
             in.Read(dst, 3);
         },
         "Read out of bounds: 3 bytes requested, offset: 0, length: 2"},
    };
    for (const Case& c : cases) {
        const std::vector<char> bytes = FromHex(c.hex);
        bond::InputBuffer input(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size())));
        EXPECT_EQ(MessageOf([&] { c.read(input); }), c.message) << c.hex;
    }
}

// The manual's `Reader reader(output.GetBuffer())` needs a blob to turn into an
// input by itself.
uint32_t RemainingOf(const bond::InputBuffer& input)
{
    return input.GetRemaining();
}

TEST(InputBuffer, ABlobOrARawRangeBecomesAnInput)
{
    const std::vector<char> bytes = FromHex("010203");
    EXPECT_EQ(RemainingOf(bond::blob(bytes.data(), 3)), 3u);
    bond::InputBuffer raw(bytes.data() + 1, 2);
    EXPECT_TRUE(raw.CanRead(2));
    EXPECT_FALSE(raw.CanRead(3));
    uint16_t value;
    raw.Read(value);
    EXPECT_EQ(value, 0x0302);
}

TEST(InputBuffer, EqualWhenTheBytesAndThePositionAre)
{
    const std::vector<char> left = FromHex("0102");
    const std::vector<char> right = FromHex("0102");
    bond::InputBuffer a(left.data(), 2);
    bond::InputBuffer b(right.data(), 2);
    EXPECT_EQ(a, b);
    a.Skip(1);
    EXPECT_NE(a, b);
}

TEST(InputBuffer, ReadsBoolsSignedBytesAndEnums)
{
    enum class Wide : uint32_t { value = 0x01020304 };
    const std::vector<char> bytes = FromHex("00 02 ff 04030201");
    bond::InputBuffer input(bytes.data(), static_cast<uint32_t>(bytes.size()));
    bool off = true;
    bool on = false;
    int8_t minus_one = 0;
    Wide wide{};
    input.Read(off);
    input.Read(on);
    input.Read(minus_one);
    input.Read(wide);
    EXPECT_FALSE(off);
    EXPECT_TRUE(on);
    EXPECT_EQ(minus_one, -1);
    EXPECT_EQ(wide, Wide::value);
}

TEST(InputBuffer, BufferRangeSpansTheBytesReadBetweenTwoPositions)
{
    const std::vector<char> bytes = FromHex("01 0203 04");
    bond::InputBuffer input(bytes.data(), 4);
    input.Skip(1);
    const bond::blob begin = GetCurrentBuffer(input);
    input.Skip(2);
    const bond::blob between = bond::GetBufferRange(begin, GetCurrentBuffer(input));
    EXPECT_EQ(between.content(), bytes.data() + 1);
    EXPECT_EQ(between.size(), 2u);
}

}  // namespace
