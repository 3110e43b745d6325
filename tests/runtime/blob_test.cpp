#include <bond/core/blob.h>

#include "hex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using testing_support::MessageOf;

std::string Text(const bond::blob& b)
{
    return std::string(b.begin(), b.end());
}

// A shared array that no deleter ever frees, at an address chosen to test the
// overflow checks; no byte of it is read.
std::shared_ptr<const char[]> FakeArrayAt(uintptr_t address)
{
    return std::shared_ptr<const char[]>(reinterpret_cast<const char*>(address), [](const char*) {});
}

TEST(Blob, ViewWithoutOwnerPointsAtTheCallersBytes)
{
    const char bytes[] = {1, 2, 3};
    const bond::blob view(bytes, 3);
    EXPECT_EQ(view.content(), bytes);
    EXPECT_EQ(view.size(), 3u);
}

TEST(Blob, RangeSharesOwnershipOfTheStorage)
{
    std::shared_ptr<const char[]> storage(new char[4]{'a', 'b', 'c', 'd'});
    const std::weak_ptr<const char[]> watch = storage;
    bond::blob part = bond::blob(std::move(storage), 4).range(1, 2);
    EXPECT_FALSE(watch.expired());
    EXPECT_EQ(std::string(part.begin(), part.end()), "bc");
    part = bond::blob();
    EXPECT_TRUE(watch.expired());
}

TEST(Blob, ComparesByContent)
{
    const char left[] = {1, 2};
    const char right[] = {1, 2};
    EXPECT_EQ(bond::blob(left, 2), bond::blob(right, 2));
    EXPECT_NE(bond::blob(left, 2), bond::blob(right, 1));
    EXPECT_EQ(bond::blob(), bond::blob(left, 0));
}

TEST(Blob, RefusesRangesOutsideItself)
{
    const char bytes[4] = {};
    const bond::blob whole(bytes, 4);
    struct Case {
        uint32_t offset, length;
        const char* message;
    };
    const Case cases[] = {
        {5, 0, "Offset too large; must be less than or equal to length of blob"},
        {2, 3, "Total of offset and length too large; must be less than or equal to length of blob"},
        {2, UINT32_MAX, "Overflow on addition"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MessageOf([&] { (void)whole.range(c.offset, c.length); }), c.message) << c.offset << "+" << c.length;
    }
    EXPECT_EQ(whole.range(4, 0).size(), 0u);
}

TEST(Blob, RefusesAViewEndingPastTheAddressSpace)
{
    const auto* top = reinterpret_cast<const void*>(UINTPTR_MAX - 1);
    EXPECT_THROW((bond::blob(top, 4)), std::overflow_error);
    EXPECT_EQ(MessageOf([&] { bond::blob(top, 4); }), "Offset caused pointer to overflow");
}

TEST(Blob, SharedArraysOfAnyByteTypeShareOwnershipFromAnOffset)
{
    std::shared_ptr<unsigned char[]> bytes(new unsigned char[4]{'w', 'x', 'y', 'z'});
    const std::weak_ptr<unsigned char[]> watch = bytes;
    bond::blob part(std::move(bytes), 1, 2);
    EXPECT_EQ(Text(part), "xy");
    EXPECT_EQ(Text(part.range(1)), "y");
    part.clear();
    EXPECT_TRUE(watch.expired());
}

TEST(Blob, SharedArrayConstructorsRefuseAViewEndingPastTheAddressSpace)
{
    for (const auto& [offset, length] : {std::pair<uint32_t, uint32_t>{4, 0}, {1, 3}}) {
        EXPECT_THROW((void)bond::blob(FakeArrayAt(UINTPTR_MAX - 1), offset, length), std::overflow_error)
            << offset << "+" << length;
    }
}

TEST(Blob, AssignKeepsTheOldValueWhenRefused)
{
    const char bytes[] = {'a', 'b', 'c', 'd'};
    const bond::blob whole(bytes, 4);
    bond::blob target;
    target.assign(whole, 1, 2);
    EXPECT_THROW(target.assign(whole, 3, 2), std::invalid_argument);
    EXPECT_EQ(Text(target), "bc");
}

// A moved-from blob that kept its pointer would read bytes it no longer owns.
TEST(Blob, AMovedFromBlobIsEmpty)
{
    std::shared_ptr<const char[]> storage(new char[2]{'a', 'b'});
    bond::blob first(storage, 2);
    bond::blob second(storage, 2);
    const bond::blob constructed(std::move(first));
    bond::blob assigned;
    assigned = std::move(second);
    for (const bond::blob* moved : {&first, &second}) {
        EXPECT_TRUE(moved->empty());
        EXPECT_EQ(moved->content(), nullptr);
    }
    EXPECT_EQ(storage.use_count(), 3);
}

TEST(Blob, ProlongCopiesOnlyBytesThatNothingOwns)
{
    char bytes[] = {'a', 'b'};
    const bond::blob prolonged = bond::blob_prolong(bond::blob(bytes, 2));
    bytes[0] = 'x';
    EXPECT_EQ(Text(prolonged), "ab");
    const bond::blob owned(std::shared_ptr<const char[]>(new char[1]{'c'}), 1);
    EXPECT_EQ(bond::blob_prolong(owned).content(), owned.content());
}

TEST(Blob, MergeJoinsInOrderAndSharesALoneNonEmptyPart)
{
    const char ab[] = {'a', 'b'};
    const char c[] = {'c'};
    const bond::blob first(ab, 2);
    const bond::blob second(c, 1);
    EXPECT_EQ(Text(bond::merge(first, second)), "abc");
    EXPECT_EQ(bond::merge(bond::blob(), second).content(), c);
    struct Case {
        std::vector<bond::blob> pieces;
        const char* joined;
        const char* shared;
    };
    const Case cases[] = {
        {{}, "", nullptr},
        {{bond::blob(), second, bond::blob()}, "c", c},
        {{first, bond::blob(), second, first}, "abcab", nullptr},
    };
    for (const Case& k : cases) {
        const bond::blob joined = bond::merge(k.pieces.begin(), k.pieces.end());
        EXPECT_EQ(Text(joined), k.joined);
        if (k.shared != nullptr) {
            EXPECT_EQ(joined.content(), k.shared);
        }
    }
}

TEST(Blob, MergeRefusesATotalPast32BitsBeforeReadingAnything)
{
    const auto* nowhere = reinterpret_cast<const void*>(uintptr_t{0x1000});
    const std::vector<bond::blob> pieces = {bond::blob(nowhere, 1), bond::blob(nowhere, UINT32_MAX)};
    EXPECT_EQ(MessageOf([&] { (void)bond::merge(pieces[0], pieces[1]); }), "Overflow on addition");
    EXPECT_EQ(MessageOf([&] { (void)bond::merge(pieces.begin(), pieces.end()); }), "Overflow on addition");
}

}  // namespace
