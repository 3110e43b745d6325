#include "growable_buffer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace certpluck {
namespace {

constexpr std::size_t mib = std::size_t{1} << 20;

void Append(GrowableBuffer& buffer, const std::string& bytes)
{
    std::memcpy(buffer.FreeSpace().data(), bytes.data(), bytes.size());
    buffer.Commit(bytes.size());
}

std::string Contents(const GrowableBuffer& buffer)
{
    return {buffer.Bytes().begin(), buffer.Bytes().end()};
}

TEST(GrowableBufferTest, StartsEmptyWithAtLeastTheCapacityAskedFor)
{
    for (const bool prefault : {false, true}) {
        for (const std::size_t capacity : std::array<std::size_t, 5>{0, 1, 4096, 5000, 3 * mib}) {
            SCOPED_TRACE(capacity);
            GrowableBuffer buffer(capacity, prefault);

            EXPECT_TRUE(buffer.Bytes().empty());
            EXPECT_GE(buffer.Capacity(), std::max<std::size_t>(capacity, 1));
            EXPECT_EQ(buffer.FreeSpace().size(), buffer.Capacity());
        }
    }
}

TEST(GrowableBufferTest, CommittedBytesMoveFromTheFreeSpaceToTheBytes)
{
    GrowableBuffer buffer(100, false);
    const std::size_t capacity = buffer.Capacity();

    Append(buffer, "first ");
    Append(buffer, "second");

    EXPECT_EQ(Contents(buffer), "first second");
    EXPECT_EQ(buffer.FreeSpace().size(), capacity - 12);
    EXPECT_EQ(buffer.FreeSpace().data(), buffer.Bytes().data() + 12);
}

TEST(GrowableBufferTest, GrowingKeepsTheBytesAndAddsRoom)
{
    GrowableBuffer buffer(mib, false);
    std::string bytes(buffer.Capacity(), '\0');
    for (std::size_t index = 0; index < bytes.size(); ++index) {
        bytes[index] = static_cast<char>(index % 253);
    }
    Append(buffer, bytes);
    ASSERT_TRUE(buffer.FreeSpace().empty());

    buffer.Grow(64 * mib);

    EXPECT_EQ(Contents(buffer), bytes);
    EXPECT_GE(buffer.Capacity(), 64 * mib);
    EXPECT_EQ(buffer.FreeSpace().size(), buffer.Capacity() - bytes.size());
}

TEST(GrowableBufferTest, GrowingToLessChangesNothing)
{
    GrowableBuffer buffer(2 * mib, false);
    Append(buffer, "kept");
    const std::size_t capacity = buffer.Capacity();

    buffer.Grow(1);

    EXPECT_EQ(buffer.Capacity(), capacity);
    EXPECT_EQ(Contents(buffer), "kept");
}

TEST(GrowableBufferTest, MovingHandsOverTheBytes)
{
    GrowableBuffer source(10, false);
    Append(source, "moved");

    const GrowableBuffer target(std::move(source));

    EXPECT_EQ(Contents(target), "moved");
    EXPECT_TRUE(source.Bytes().empty());
    EXPECT_EQ(source.Capacity(), 0u);
}

TEST(GrowableBufferTest, MemoryThatCannotBeHadIsBadAlloc)
{
    EXPECT_THROW(GrowableBuffer(std::size_t{1} << 62, false), std::bad_alloc);
}

}  // namespace
}  // namespace certpluck
