#include <bond/core/exception.h>

#include <gtest/gtest.h>

#include <exception>
#include <string>

namespace {

// Code written for the library throws these straight from a message literal.
std::string Describe(const bond::CoreException& e)
{
    return e.what();
}

TEST(Exception, MessageIsPublicAndIsWhatWhatReturns)
{
    EXPECT_EQ(Describe("from a literal"), "from a literal");
    bond::StreamException e("first");
    e.message = "second";
    EXPECT_STREQ(e.what(), "second");
}

TEST(Exception, SchemaValidationFailuresAreCoreExceptions)
{
    EXPECT_THROW(throw bond::SchemaValidateException("v"), bond::CoreException);
    EXPECT_THROW(throw bond::SchemaValidateException("v"), bond::SerializableExceptionBase);
    EXPECT_THROW(throw bond::SchemaValidateException("v"), std::exception);
}

TEST(Exception, ANullMessageIsEmpty)
{
    const char* none = nullptr;
    EXPECT_STREQ(bond::CoreException(none).what(), "");
}

}  // namespace
