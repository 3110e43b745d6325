// Records for the runtime's own tests, declared by hand with their reflection
// as a schema module declares its records: the shapes the secrets package has
// none of (a map, a set, a nested list, a nullable record, a record that
// contains itself) beside those it has (a blob, a wide string, a nested
// record), and helpers to write and read them with any protocol.
#pragma once

#include "hex.h"

#include <bond/core/bond.h>
#include <bond/stream/output_buffer.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace test_records {

struct Point {
    int32_t x = 0;
    std::string label;

    bool operator==(const Point&) const = default;

    struct Schema;
};

struct Shapes {
    std::map<std::string, int32_t> counts;
    std::set<int32_t> tags;
    std::vector<std::vector<int16_t>> grid;
    bond::nullable<Point> maybe;
    Point point;
    std::wstring name;
    uint64_t big = 0;
    bond::blob bytes;

    bool operator==(const Shapes&) const = default;

    struct Schema;
};

// A tree: every level of nesting is one more record to read.
struct Node {
    std::vector<Node> children;

    bool operator==(const Node&) const = default;

    struct Schema;
};

struct Point::Schema {
    using base = bond::no_base;
    static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Point", "test.Point");
    static inline const bond::Metadata x_metadata = bond::reflection::MetadataInit("x");
    static inline const bond::Metadata label_metadata = bond::reflection::MetadataInit("label");
    using fields = bond::reflection::FieldList<bond::reflection::OptionalField<0, &Point::x, &x_metadata>,
                                               bond::reflection::OptionalField<1, &Point::label, &label_metadata>>;
};

struct Shapes::Schema {
    using base = bond::no_base;
    static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Shapes", "test.Shapes");
    static inline const bond::Metadata counts_metadata = bond::reflection::MetadataInit("counts");
    static inline const bond::Metadata tags_metadata = bond::reflection::MetadataInit("tags");
    static inline const bond::Metadata grid_metadata = bond::reflection::MetadataInit("grid");
    static inline const bond::Metadata maybe_metadata = bond::reflection::MetadataInit("maybe");
    static inline const bond::Metadata point_metadata = bond::reflection::MetadataInit("point");
    static inline const bond::Metadata name_metadata = bond::reflection::MetadataInit("name");
    static inline const bond::Metadata big_metadata = bond::reflection::MetadataInit("big");
    static inline const bond::Metadata bytes_metadata = bond::reflection::MetadataInit("bytes");
    using fields = bond::reflection::FieldList<bond::reflection::OptionalField<0, &Shapes::counts, &counts_metadata>,
                                               bond::reflection::OptionalField<1, &Shapes::tags, &tags_metadata>,
                                               bond::reflection::OptionalField<2, &Shapes::grid, &grid_metadata>,
                                               bond::reflection::OptionalField<3, &Shapes::maybe, &maybe_metadata>,
                                               bond::reflection::OptionalField<5, &Shapes::point, &point_metadata>,
                                               bond::reflection::OptionalField<6, &Shapes::name, &name_metadata>,
                                               bond::reflection::OptionalField<9, &Shapes::big, &big_metadata>,
                                               bond::reflection::OptionalField<10, &Shapes::bytes, &bytes_metadata>>;
};

struct Node::Schema {
    using base = bond::no_base;
    static inline const bond::Metadata metadata = bond::reflection::MetadataInit("Node", "test.Node");
    static inline const bond::Metadata children_metadata = bond::reflection::MetadataInit("children");
    using fields = bond::reflection::FieldList<bond::reflection::OptionalField<0, &Node::children, &children_metadata>>;
};

// A Shapes with every field away from its default.
inline Shapes FullShapes()
{
    Shapes shapes;
    shapes.counts = {{"a", -1}, {"bc", 300}};
    shapes.tags = {7, -2};
    shapes.grid = {{1, -1}, {}, {32767}};
    shapes.maybe.set(Point{4, "m"});
    shapes.point = {-5, "p"};
    shapes.name = L"n\u00e9";
    shapes.big = uint64_t{1} << 40;
    shapes.bytes = bond::blob("AB", 2);
    return shapes;
}

// A chain of `levels` nodes, each the only child of the one before.
inline Node Chain(int levels)
{
    Node node;
    for (int i = 1; i < levels; ++i) {
        Node parent;
        parent.children.push_back(std::move(node));
        node = std::move(parent);
    }
    return node;
}

using CompactWriter = bond::CompactBinaryWriter<bond::OutputBuffer>;

template <typename Writer, typename Value>
bond::blob Written(const Value& value, uint16_t version)
{
    bond::OutputBuffer output;
    Writer writer(output, version);
    bond::Serialize(value, writer);
    return output.GetBuffer();
}

// A T read from Compact Binary v1 written in hex, whose bytes live on with
// whatever the T keeps of them (a bonded field).
template <typename T>
T Decode(std::string_view hex)
{
    const std::vector<char> bytes = testing_support::FromHex(hex);
    const std::shared_ptr<char[]> kept(new char[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), kept.get());
    return bond::Deserialize<T>(bond::CompactBinaryReader<bond::InputBuffer>(
        bond::InputBuffer(bond::blob(kept, static_cast<uint32_t>(bytes.size())))));
}

// A protocol at one version: its writer and its reader over memory.
template <typename Writer, typename Reader>
struct Protocol {
    using writer = Writer;
    using reader = Reader;
    uint16_t version;
    const char* name;

    Reader Over(const bond::blob& bytes) const { return Reader(bond::InputBuffer(bytes), version); }
};

// Calls `check` with each protocol at each of its versions.
template <typename Check>
void ForEachProtocol(Check&& check)
{
    using bond::InputBuffer;
    using bond::OutputBuffer;
    using Compact = Protocol<bond::CompactBinaryWriter<OutputBuffer>, bond::CompactBinaryReader<InputBuffer>>;
    using Fast = Protocol<bond::FastBinaryWriter<OutputBuffer>, bond::FastBinaryReader<InputBuffer>>;
    using Simple = Protocol<bond::SimpleBinaryWriter<OutputBuffer>, bond::SimpleBinaryReader<InputBuffer>>;
    check(Compact{1, "Compact v1"});
    check(Compact{2, "Compact v2"});
    check(Fast{1, "Fast"});
    check(Simple{1, "Simple v1"});
    check(Simple{2, "Simple v2"});
}

}  // namespace test_records
