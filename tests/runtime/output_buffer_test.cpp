#include <bond/stream/output_buffer.h>

#include "hex.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using testing_support::MessageOf;
using testing_support::ToHex;

// Counts the bytes it hands out, so a test can see which allocator a stream uses.
template <typename T>
struct CountingAllocator {
    using value_type = T;

    explicit CountingAllocator(size_t* count) : allocated(count) {}
    template <typename U>
    CountingAllocator(const CountingAllocator<U>& other) : allocated(other.allocated)
    {}

    T* allocate(size_t n)
    {
        *allocated += n * sizeof(T);
        return std::allocator<T>().allocate(n);
    }
    void deallocate(T* p, size_t n) { std::allocator<T>().deallocate(p, n); }

    friend bool operator==(const CountingAllocator&, const CountingAllocator&) = default;

    size_t* allocated;
};

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

// Many small writes grow the array while the stream alone holds it; once a
// blob shows it, growing must leave what the blob shows as it was.
template <typename Stream>
void CheckBlobsKeepTheirBytes(Stream&& stream)
{
    bond::blob early;
    bond::blob late;
    {
        Stream output = std::move(stream);
        for (int i = 0; i < 1000; ++i) {
            output.Write("xyz", 3);
        }
        early = output.GetBuffer();
        const std::vector<char> filler(100000, 'f');
        output.Write(filler.data(), static_cast<uint32_t>(filler.size()));
        late = output.GetBuffer();
        output.Write("!", 1);
    }
    ASSERT_EQ(early.size(), 3000u);
    EXPECT_EQ(std::string(early.begin() + 2997, early.end()), "xyz");
    ASSERT_EQ(late.size(), 103000u);
    EXPECT_EQ(std::string(late.begin() + 2997, late.begin() + 3001), "xyzf");
    EXPECT_EQ(late.data()[late.size() - 1], 'f');
}

TEST(OutputBuffer, BlobsKeepTheirBytesThroughGrowthAndAfterTheStream)
{
    CheckBlobsKeepTheirBytes(bond::OutputBuffer());
    size_t allocated = 0;
    CheckBlobsKeepTheirBytes(bond::OutputMemoryStream<CountingAllocator<char>>{CountingAllocator<char>(&allocated)});
    EXPECT_GE(allocated, size_t{103000});
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

TEST(OutputBuffer, ReservedRoomTakesThatManyBytesWithoutMoving)
{
    bond::OutputBuffer output(1000);
    output.Write(uint8_t{1});
    const char* start = output.GetBuffer().content();
    const std::vector<char> filler(999, 'f');
    output.Write(filler.data(), static_cast<uint32_t>(filler.size()));
    EXPECT_EQ(output.GetBuffer().content(), start);
}

TEST(OutputBuffer, WritesIntoTheCallersBufferUntilItIsFull)
{
    std::shared_ptr<char[]> first(new char[2]);
    bond::OutputBuffer output(first, 2);
    output.Write("ab", 2);
    EXPECT_EQ(output.GetBuffer().content(), first.get());
    output.Write("c", 1);
    EXPECT_EQ(ToHex(output.GetBuffer()), "616263");
}

TEST(OutputBuffer, GetBuffersReplacesTheListWithWhatWasWritten)
{
    std::vector<bond::blob> buffers(2);
    bond::OutputBuffer output;
    output.GetBuffers(buffers);
    EXPECT_TRUE(buffers.empty());
    output.Write("ab", 2);
    output.GetBuffers(buffers);
    ASSERT_EQ(buffers.size(), 1u);
    EXPECT_EQ(buffers[0], output.GetBuffer());
}

TEST(OutputBuffer, StorageComesFromTheGivenAllocator)
{
    size_t allocated = 0;
    bond::OutputMemoryStream<CountingAllocator<char>> output{CountingAllocator<char>(&allocated)};
    output.Write("xyz", 3);
    const auto sibling = CreateOutputBuffer(output);
    // 256 bytes for each: the first array, and the room the sibling reserves.
    EXPECT_GE(allocated, 2 * size_t{256});
    EXPECT_EQ(sibling.GetSize(), 0u);
}

}  // namespace
