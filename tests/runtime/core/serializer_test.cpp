// The Serializer: a record's fields in ordinal order, left out at their
// defaults where the protocol may omit them, containers of every kind; and a
// payload re-encoded into any protocol as its record would be written.
#include "test_records.h"

#include "hex.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

namespace {

using namespace test_records;
using testing_support::MessageOf;
using testing_support::ToHex;

using SimpleWriter = bond::SimpleBinaryWriter<bond::OutputBuffer>;

TEST(Serializer, WritesFieldsInOrderLeavingDefaultsOutWhereTheProtocolMay)
{
    Shapes only_big;
    only_big.big = 1;
    struct Case {
        const char* what;
        std::string written;
        const char* expected;
    };
    const Case cases[] = {
        {"every field, Compact v1", ToHex(Written<CompactWriter>(FullShapes(), bond::v1)),
         "0d0910020161010262 63d804"        // counts: map of string to int32
         "2c1002030e"                       // tags: set of int32, in order
         "4b0b03 0f020201 0f00 0f01feff03"  // grid: list of lists of int16
         "6b0a01 1008 29016d 00"            // maybe: a list of at most one record
         "aa 1009 290170 00"                // point
         "d206 026e00e900"                  // name, ordinal 6 in a byte of its own
         "c609 808080808020"                // big
         "cb0a 0e02 4142"                   // bytes: a list of int8
         "00"},
        {"defaults left out, Compact v1", ToHex(Written<CompactWriter>(only_big, bond::v1)),
         "aa00"  // a record field is always written
         "c60901 00"},
        {"defaults written, Simple v1", ToHex(Written<SimpleWriter>(Shapes{}, bond::v1)),
         "00000000 00000000 00000000 00000000"  // counts, tags, grid, maybe
         "00000000 00000000"                    // point
         "00000000 0000000000000000 00000000"},
    };
    for (const Case& c : cases) {
        std::string expected = c.expected;
        std::erase(expected, ' ');
        EXPECT_EQ(c.written, expected) << c.what;
    }
}

// A payload read from one protocol and written with another comes out as the
// record itself would, its containers walked element by element.
TEST(Serializer, PayloadsReencodeAsTheirRecordsAreWritten)
{
    const Shapes record = FullShapes();
    const bond::RuntimeSchema schema = bond::GetRuntimeSchema<Shapes>();
    ForEachProtocol([&](auto source) {
        using Source = decltype(source);
        const bond::blob bytes = Written<typename Source::writer>(record, source.version);
        const bond::bonded<Shapes> payload(source.Over(bytes));
        const bond::bonded<void> described(source.Over(bytes), schema);
        ForEachProtocol([&](auto target) {
            using Target = decltype(target);
            SCOPED_TRACE(std::string(source.name) + " to " + target.name);
            const std::string expected = ToHex(Written<typename Target::writer>(record, target.version));
            EXPECT_EQ(ToHex(Written<typename Target::writer>(payload, target.version)), expected);
            // Simple Binary takes no tagged payload known by a run-time schema alone.
            if (!Source::reader::tagged || !std::is_same_v<typename Target::writer, SimpleWriter>) {
                EXPECT_EQ(ToHex(Written<typename Target::writer>(described, target.version)), expected)
                    << "through the run-time schema";
            } else {
                EXPECT_EQ(
                    MessageOf([&] { Written<SimpleWriter>(described, target.version); }),
                    "A tagged payload known by its run-time schema alone cannot be re-encoded into Simple Binary");
            }
        });
    });
}

}  // namespace
