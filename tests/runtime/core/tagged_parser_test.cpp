// How a tagged payload's fields are matched to a record's: by ordinal and
// type, in ordinal order, with conversions between integer widths, later
// copies and the nesting limit. The rules are the same for Compact and Fast
// Binary; the cases are written in Compact Binary v1.
#include "test_records.h"

#include "hex.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace test_records;
using testing_support::FromHex;
using testing_support::MessageOf;

TEST(TaggedParser, FieldsMatchByOrdinalAndType)
{
    struct Case {
        const char* what;
        const char* hex;  // a Point: x is field 0 (int32), label field 1 (string)
        Point expected;
    };
    const Case cases[] = {
        {"no fields", "00", {}},
        {"both", "1009 290170 00", {-5, "p"}},
        {"an undeclared field is passed over", "1008 c9070141 00", {4, ""}},
        // Fields are looked for in ordinal order: one after a higher ordinal,
        // declared or not, is passed over.
        {"a field after a higher ordinal", "290170 1009 00", {0, "p"}},
        {"a field after an undeclared higher ordinal", "c9070141 1008 00", {}},
        {"uint32 is another kind: passed over", "0505 00", {}},
        {"bool is another kind: passed over", "0201 00", {}},
        {"int64 would narrow: passed over", "1102 00", {}},
        {"int8 is one raw byte", "0eff 00", {-1, ""}},
        {"int16 converts", "0fffff03 00", {-32768, ""}},
        {"a later copy replaces the value", "1009 0e03 00", {3, ""}},
        // An over-long varint ends at its fifth byte, whatever its top bit says...
        {"an over-long varint", "10ffffffffff 00", {INT_MIN, ""}},
        // ...but a later copy that runs so is passed over as a whole, as every
        // later copy is: its varint runs on for up to ten bytes.
        {"an over-long later copy", "1009 10ffffffffff0f 00", {-5, ""}},
        {"an over-long copy after one of another type", "0505 10ffffffffff0f 00", {}},
        {"a base part's end marker ends the record", "01 1008 00", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Decode<Point>(c.hex), c.expected) << c.what;
    }
}

// A nested record or a list of records keeps its first occurrence; a later
// one is still passed over by the rules of the wire.
TEST(TaggedParser, RepeatedRecordsKeepTheFirstOccurrence)
{
    EXPECT_EQ(Decode<Shapes>("aa 1002 00 aa 1004 00 00").point.x, 1);
    EXPECT_EQ(Decode<Shapes>("6b0a01 1002 00 6b0a01 1004 00 00").maybe->x, 1);
    EXPECT_EQ(Decode<Node>("0b0a01 00 0b0a02 00 00 00").children.size(), 1u);
    EXPECT_EQ(Decode<Node>("0b0a01 00 0b0e0141 00").children.size(), 1u);  // a list of another element type
    EXPECT_EQ(MessageOf([] { Decode<Shapes>("aa 00 aa 3300 00"); }), "Unknown data type found");
}

// Any other field takes its last copy.
TEST(TaggedParser, OtherFieldsTakeTheirLastCopy)
{
    EXPECT_EQ(Decode<Shapes>("2c100102 2c100104 00").tags, std::set<int32_t>{2});
    const std::vector<char> blob_twice = FromHex("cb0a0e0141 cb0a0e024243 00");
    const Shapes shapes = bond::Deserialize<Shapes>(bond::CompactBinaryReader<bond::InputBuffer>(
        bond::InputBuffer(bond::blob(blob_twice.data(), static_cast<uint32_t>(blob_twice.size())))));
    EXPECT_EQ(shapes.bytes, bond::blob("BC", 2));
}

template <typename T>
std::string FailureOf(const std::string& hex)
{
    return MessageOf([&] { Decode<T>(hex); });
}

TEST(TaggedParser, Failures)
{
    struct Case {
        const char* hex;
        std::string (*decode)(const std::string&);
        const char* message;
    };
    const Case cases[] = {
        {"", FailureOf<Point>, "Read out of bounds: 1 bytes requested, offset: 0, length: 0"},
        {"10", FailureOf<Point>, "Read out of bounds: 1 bytes requested, offset: 1, length: 1"},
        {"eb01", FailureOf<Point>,
         "Read out of bounds: 2 bytes requested, offset: 1, length: 2"},  // a two-byte ordinal
        {"1008", FailureOf<Point>, "Read out of bounds: 1 bytes requested, offset: 2, length: 2"},  // no end marker
        {"2903 4142", FailureOf<Point>, "Read out of bounds: 3 bytes requested, offset: 2, length: 4"},
        // A declared field of no type, or a list with elements of none; an
        // empty one names nothing that is read.
        {"13 00", FailureOf<Point>, "Unknown data type found"},
        {"cb0a1301 41 00", FailureOf<Shapes>, "Unknown data type found"},
        {"cb0a1300 00", FailureOf<Shapes>, "no exception"},
        // Declared counts are not trusted: the input has to back them before
        // anything is reserved.
        {"0b0a ffffffff0f", FailureOf<Node>, "Read out of bounds: 1 bytes requested, offset: 7, length: 7"},
        {"cb0a0e ffffffff0f 41", FailureOf<Shapes>,
         "Read out of bounds: 4294967295 bytes requested, offset: 8, length: 9"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.decode(c.hex), c.message) << c.hex;
    }
}

// The record is level 1 and each list or record inside is one deeper, so a
// chain of 32 nodes reaches level 63 and one of 33 level 65, past the limit.
TEST(TaggedParser, NestingIsBounded)
{
    for (const int nodes : {32, 33}) {
        const bond::blob bytes = Written<CompactWriter>(Chain(nodes), bond::v1);
        const std::string message =
            MessageOf([&] { bond::Deserialize<Node>(bond::CompactBinaryReader<bond::InputBuffer>(bytes)); });
        EXPECT_EQ(message, nodes == 32 ? "no exception" : "Max recursion depth exceeded") << nodes;
    }
}

}  // namespace
