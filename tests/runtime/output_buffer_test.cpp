#include <bond/stream/output_buffer.h>

#include "hex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>

namespace {

using testing_support::MessageOf;
using testing_support::ToHex;

TEST(OutputBuffer, FixedWidthNumbersAreLittleEndian)
{
    bond::OutputBuffer output;
    output.Write(uint8_t{0x01});
    output.Write(uint16_t{0x0203});
    output.Write(int32_t{-2});
    output.Write(uint64_t{0x0102030405060708});
    output.Write(1.5f);
    output.Write(-2.0);
    output.Write(true);
    EXPECT_EQ(ToHex(output.GetBuffer()), "01"
                                         "0302"
                                         "feffffff"
                                         "0807060504030201"
                                         "0000c03f"
                                         "00000000000000c0"
                                         "01");
}

TEST(OutputBuffer, VarintsTakeTheShortestForm)
{
    struct Case {
        uint64_t value;
        const char* hex;
    };
    const Case cases[] = {
        {0, "00"},
        {1, "01"},
        {127, "7f"},
        {128, "8001"},
        {300, "ac02"},
        {16383, "ff7f"},
        {16384, "808001"},
        {0xFFFFFFFF, "ffffffff0f"},
        {0x100000000, "8080808010"},
        {std::numeric_limits<uint64_t>::max(), "ffffffffffffffffff01"},
    };
    for (const Case& c : cases) {
        bond::OutputBuffer output;
        output.WriteVariableUnsigned(c.value);
        EXPECT_EQ(ToHex(output.GetBuffer()), c.hex) << c.value;
    }
    bond::OutputBuffer narrow;
    narrow.WriteVariableUnsigned(std::numeric_limits<uint16_t>::max());
    narrow.WriteVariableUnsigned(std::numeric_limits<uint32_t>::max());
    EXPECT_EQ(ToHex(narrow.GetBuffer()), "ffff03ffffffff0f");
}

TEST(OutputBuffer, BytesAndBlobsAreCopiedAsTheyAre)
{
    bond::OutputBuffer output;
    output.Write("ab", 2);
    const char bytes[] = {'\x00', '\xff'};
    output.Write(bond::blob(bytes, 2));
    output.Write(bond::blob());
    output.Write(nullptr, 0);
    EXPECT_EQ(ToHex(output.GetBuffer()), "616200ff");
    EXPECT_EQ(output.GetSize(), 4u);
}

TEST(OutputBuffer, EmptyStreamGivesAnEmptyBlob)
{
    const bond::OutputBuffer output;
    EXPECT_TRUE(output.GetBuffer().empty());
    EXPECT_EQ(output.GetSize(), 0u);
}

TEST(OutputBuffer, BlobsKeepTheirBytesThroughGrowthAndAfterTheStream)
{
    bond::blob early;
    bond::blob late;
    {
        bond::OutputBuffer output;
        output.Write("xyz", 3);
        early = output.GetBuffer();
        // Enough to move the storage several times.
        const std::vector<char> filler(100000, 'f');
        output.Write(filler.data(), static_cast<uint32_t>(filler.size()));
        late = output.GetBuffer();
        output.Write("!", 1);
    }
    EXPECT_EQ(std::string(early.begin(), early.end()), "xyz");
    ASSERT_EQ(late.size(), 100003u);
    EXPECT_EQ(std::string(late.begin(), late.begin() + 4), "xyzf");
    EXPECT_EQ(late.data()[late.size() - 1], 'f');
}

TEST(OutputBuffer, RefusesToGrowPast32Bits)
{
    bond::OutputBuffer output;
    output.Write(uint8_t{1});
    // The check comes before any byte is read or storage reserved, so the source
    // needs to be no larger than what it holds here. Read through a volatile
    // pointer, it tells the optimizer nothing about its size.
    const char byte = 0;
    const char* volatile source = &byte;
    EXPECT_EQ(MessageOf([&] { output.Write(source, std::numeric_limits<uint32_t>::max()); }),
              "Output buffer cannot grow past 4294967295 bytes");
    EXPECT_THROW(output.Write(source, std::numeric_limits<uint32_t>::max()), std::length_error);
    EXPECT_EQ(ToHex(output.GetBuffer()), "01");
}

TEST(OutputBuffer, MovingHandsOverTheBytes)
{
    bond::OutputBuffer first;
    first.Write("ab", 2);
    bond::OutputBuffer second(std::move(first));
    second.Write("c", 1);
    EXPECT_EQ(ToHex(second.GetBuffer()), "616263");

    bond::OutputBuffer third;
    third = std::move(second);
    third.Write("d", 1);
    EXPECT_EQ(ToHex(third.GetBuffer()), "61626364");
}

}  // namespace
