// A transform's Field that returns true ends the walk where the library's
// parsers end it: an untagged payload, read against its compile-time or a
// run-time schema, and a record in memory stop there; a tagged payload is read
// to its end.
#include "test_records.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using namespace test_records;

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

enum class Form { simple_static, simple_described, record, compact };

TEST(EarlyStop, UntaggedPayloadsAndRecordsStopWhereTheTransformSays)
{
    using SimpleReader = bond::SimpleBinaryReader<bond::InputBuffer>;
    using CompactReader = bond::CompactBinaryReader<bond::InputBuffer>;
    const Shapes record = FullShapes();
    const bond::blob simple = Written<bond::SimpleBinaryWriter<bond::OutputBuffer>>(record, 2);
    const bond::blob compact = Written<CompactWriter>(record, 2);
    const std::vector<uint16_t> all = {0, 1, 2, 3, 5, 6, 9, 10};
    const std::vector<uint16_t> to_name = {0, 1, 2, 3, 5, 6};
    // What Simple Binary version 2 leaves unread after the name: `big` at 8
    // bytes, and `bytes` as a one-byte count and its 2 bytes.
    const uint32_t after_name = 11;

    struct Case {
        Form form;
        uint16_t last;
        const std::vector<uint16_t>& seen;
        bool done;
        uint32_t unread;  // of the payload's bytes, where it has any
    };
    const Case cases[] = {
        {Form::simple_static, 6, to_name, true, after_name},
        {Form::simple_static, 10, all, true, 0},
        {Form::simple_static, 99, all, false, 0},
        {Form::simple_described, 6, to_name, true, after_name},
        {Form::record, 6, to_name, true, 0},
        {Form::record, 99, all, false, 0},
        {Form::compact, 0, all, false, 0},
    };
    for (const Case& c : cases) {
        std::vector<uint16_t> seen;
        int ends = 0;
        const StopAfter transform(c.last, seen, ends);
        bool done = false;
        uint32_t unread = 0;
        if (c.form == Form::simple_static || c.form == Form::simple_described) {
            SimpleReader reader(bond::InputBuffer(simple), 2);
            const bond::RuntimeSchema schema = bond::GetRuntimeSchema<Shapes>();
            done = c.form == Form::simple_static
                       ? bond::Apply(transform, bond::bonded<Shapes, SimpleReader&>(reader))
                       : bond::Apply(transform, bond::bonded<void, SimpleReader&>(reader, schema));
            unread = reader.GetBuffer().GetRemaining();
        } else if (c.form == Form::record) {
            done = bond::Apply(transform, record);
        } else {
            CompactReader reader(bond::InputBuffer(compact), 2);
            done = bond::Apply(transform, bond::bonded<Shapes, CompactReader&>(reader));
            unread = reader.GetBuffer().GetRemaining();
        }
        const int form = static_cast<int>(c.form);
        EXPECT_EQ(seen, c.seen) << "form " << form << ", last " << c.last;
        EXPECT_EQ(done, c.done) << "form " << form << ", last " << c.last;
        EXPECT_EQ(unread, c.unread) << "form " << form << ", last " << c.last;
        EXPECT_EQ(ends, 1) << "form " << form << ", last " << c.last;
    }
}

}  // namespace
