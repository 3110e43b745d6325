#include <bond/core/nullable.h>

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <utility>

namespace {

using Text = bond::nullable<std::string>;

// A value does not turn into a nullable unasked, as with the library.
static_assert(!std::is_convertible_v<std::string, Text>);

TEST(Nullable, SetOnAPresentValueAssignsInPlace)
{
    Text text;
    text.set(std::string("old"));
    const std::string* where = &text.value();
    const std::string next = "new";
    text.set(next);
    EXPECT_EQ(&text.value(), where);
    EXPECT_EQ(*where, "new");
}

TEST(Nullable, TestsAndDereferencesLikeAPointer)
{
    Text text;
    EXPECT_FALSE(text);
    text.set("abc");
    ASSERT_TRUE(text);
    text->push_back('d');
    EXPECT_EQ(*text, "abcd");
    text.clear();
    EXPECT_FALSE(text);
}

TEST(Nullable, SwapExchangesPresenceAndValue)
{
    Text full(std::string("v"));
    Text none;
    swap(full, none);
    EXPECT_FALSE(full);
    EXPECT_EQ(none.value(), "v");
    EXPECT_NE(full, none);
}

TEST(Nullable, CopiesAreDeepAndAMovedFromNullableIsEmpty)
{
    Text original(std::string("v"));
    Text copy = original;
    copy->append("w");
    EXPECT_EQ(*original, "v");
    const Text moved = std::move(original);
    EXPECT_FALSE(original);
    EXPECT_EQ(*moved, "v");
}

}  // namespace
