#include <bond/core/blob.h>

#include "hex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <stdexcept>

namespace {

using testing_support::MessageOf;

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
        EXPECT_EQ(MessageOf([&] { (void)whole.range(c.offset, c.length); }), c.message)
            << c.offset << "+" << c.length;
    }
    EXPECT_EQ(whole.range(4, 0).size(), 0u);
}

TEST(Blob, RefusesAViewEndingPastTheAddressSpace)
{
    const auto* top = reinterpret_cast<const void*>(UINTPTR_MAX - 1);
    EXPECT_THROW((bond::blob(top, 4)), std::overflow_error);
    EXPECT_EQ(MessageOf([&] { bond::blob(top, 4); }), "Offset caused pointer to overflow");
}

}  // namespace
