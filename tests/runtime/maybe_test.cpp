// bond::maybe: a value or nothing, which says so when asked for its value.
#include <bond/core/maybe.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

TEST(Maybe, HoldsNothingUntilGivenAValue)
{
    bond::maybe<std::string> text;
    EXPECT_TRUE(text.is_nothing());
    EXPECT_FALSE(text);
    try {
        (void)std::as_const(text).value();
        ADD_FAILURE() << "the value of nothing was given";
    } catch (const bond::CoreException& failure) {
        EXPECT_STREQ(failure.what(), "Field value is 'nothing'");
    }
    text.set_value() += "a";
    text.set_value() += "b";
    EXPECT_EQ(text.value(), "ab");
    text.set_nothing();
    EXPECT_TRUE(text.is_nothing());
    EXPECT_EQ(text.emplace(2, 'c'), "cc");
}

TEST(Maybe, ComparesAsItsValueAndNothingAsItself)
{
    const bond::maybe<int> nothing;
    const bond::maybe<int> one(1);
    EXPECT_EQ(nothing, bond::maybe<int>());
    EXPECT_NE(nothing, one);
    EXPECT_EQ(one, 1);
    EXPECT_NE(1, nothing);
    EXPECT_NE(one, bond::maybe<int>(2));
}

TEST(Maybe, AMaybeMovedFromHoldsNothing)
{
    bond::maybe<std::string> from("x");
    bond::maybe<std::string> to(std::move(from));
    EXPECT_TRUE(from.is_nothing());
    from = std::move(to);
    EXPECT_TRUE(to.is_nothing());
    swap(from, to);
    EXPECT_EQ(to, std::string("x"));
    EXPECT_TRUE(from.is_nothing());
}

}  // namespace
