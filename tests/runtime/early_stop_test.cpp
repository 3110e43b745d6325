// A transform's Field that returns true ends the walk where the library's
// parsers end it: an untagged payload, read against its compile-time or a
// run-time schema, and a record in memory stop there; a tagged payload is read
// to its end.
#include <bond/core/bond.h>
#include <bond/protocol/compact_binary.h>
#include <bond/protocol/simple_binary.h>
#include <bond/stream/output_buffer.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Triple {
    uint32_t first = 1;
    std::string second = "two";
    uint32_t third = 3;

    struct Schema;
};

struct Triple::Schema {
    using base = bond::no_base;
    static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Triple", "test.Triple");
    static inline const bond::Metadata first_metadata = bond::reflection::MetadataInit("first");
    static inline const bond::Metadata second_metadata = bond::reflection::MetadataInit("second");
    static inline const bond::Metadata third_metadata = bond::reflection::MetadataInit("third");
    using fields = bond::reflection::FieldList<bond::reflection::OptionalField<0, &Triple::first, &first_metadata>,
                                               bond::reflection::OptionalField<1, &Triple::second, &second_metadata>,
                                               bond::reflection::OptionalField<2, &Triple::third, &third_metadata>>;
};

// Notes the ids of the fields it is shown and asks for no more after `last`.
class StopAfter : public bond::SerializingTransform {
public:
    StopAfter(uint16_t last, std::vector<uint16_t>& seen, int& ends) : _last(last), _seen(seen), _ends(ends) {}

    void Begin(const bond::Metadata&) const {}
    void End() const { ++_ends; }
    void UnknownEnd() const {}

    template <typename T>
    bool Base(const T&) const
    {
        return false;
    }

    template <typename Value>
    bool Field(uint16_t id, const bond::Metadata&, const Value&) const
    {
        _seen.push_back(id);
        return id == _last;
    }

    template <typename Value>
    bool UnknownField(uint16_t id, const Value& value) const
    {
        return Field(id, bond::Metadata{}, value);
    }

private:
    uint16_t _last;
    std::vector<uint16_t>& _seen;
    int& _ends;
};

template <typename Writer>
bond::blob Encode(const Triple& record)
{
    bond::OutputBuffer output;
    Writer writer(output);
    bond::Serialize(record, writer);
    return output.GetBuffer();
}

TEST(EarlyStop, UntaggedPayloadsAndRecordsStopWhereTheTransformSays)
{
    using SimpleReader = bond::SimpleBinaryReader<bond::InputBuffer>;
    using CompactReader = bond::CompactBinaryReader<bond::InputBuffer>;
    const Triple record;
    const bond::blob simple = Encode<bond::SimpleBinaryWriter<bond::OutputBuffer>>(record);
    const bond::blob compact = Encode<bond::CompactBinaryWriter<bond::OutputBuffer>>(record);
    // What Simple Binary version 2 leaves unread after the second field: the
    // third, a 4-byte integer.
    const uint32_t after_second = 4;

    struct Case {
        const char* form;
        uint16_t last;
        std::vector<uint16_t> seen;
        bool done;
        uint32_t unread;  // of the payload's bytes, where it has any
    };
    const Case cases[] = {
        {"simple binary, compile-time schema", 1, {0, 1}, true, after_second},
        {"simple binary, compile-time schema", 2, {0, 1, 2}, true, 0},
        {"simple binary, compile-time schema", 7, {0, 1, 2}, false, 0},
        {"simple binary, run-time schema", 1, {0, 1}, true, after_second},
        {"record in memory", 0, {0}, true, 0},
        {"record in memory", 7, {0, 1, 2}, false, 0},
        {"compact binary, read to its end", 0, {0, 1, 2}, false, 0},
    };
    for (const Case& c : cases) {
        const std::string form = c.form;
        std::vector<uint16_t> seen;
        int ends = 0;
        const StopAfter transform(c.last, seen, ends);
        bool done = false;
        uint32_t unread = 0;
        if (form == "simple binary, compile-time schema") {
            SimpleReader reader{bond::InputBuffer(simple)};
            done = bond::Apply(transform, bond::bonded<Triple, SimpleReader&>(reader));
            unread = reader.GetBuffer().GetRemaining();
        } else if (form == "simple binary, run-time schema") {
            const bond::RuntimeSchema schema = bond::GetRuntimeSchema<Triple>();
            SimpleReader reader{bond::InputBuffer(simple)};
            done = bond::Apply(transform, bond::bonded<void, SimpleReader&>(reader, schema));
            unread = reader.GetBuffer().GetRemaining();
        } else if (form == "record in memory") {
            done = bond::Apply(transform, record);
        } else {
            CompactReader reader{bond::InputBuffer(compact)};
            done = bond::Apply(transform, bond::bonded<Triple, CompactReader&>(reader));
            unread = reader.GetBuffer().GetRemaining();
        }
        EXPECT_EQ(seen, c.seen) << form << ", last " << c.last;
        EXPECT_EQ(done, c.done) << form << ", last " << c.last;
        EXPECT_EQ(unread, c.unread) << form << ", last " << c.last;
        EXPECT_EQ(ends, 1) << form << ", last " << c.last;
    }
}

}  // namespace
