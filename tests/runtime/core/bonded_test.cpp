// Payloads and their values: a bonded<T> reads from where it was made as often
// as it is applied, over a caller's reader or holding a record in memory; a
// transform reads a field's value, and walks a container's elements and a
// nested payload's fields, whatever the protocol and whichever schema
// describes the payload.
#include "test_records.h"

#include "hex.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>

namespace {

using namespace test_records;
using testing_support::ToHex;

using CompactReader = bond::CompactBinaryReader<bond::InputBuffer>;

TEST(Bonded, AHeldPayloadReadsFromItsStartEachTime)
{
    const Shapes record = FullShapes();
    const bond::bonded<Shapes> payload(CompactReader(Written<CompactWriter>(record, bond::v1)));
    EXPECT_EQ(payload.Deserialize(), record);
    EXPECT_EQ(payload.Deserialize(), record);
}

TEST(Bonded, APayloadOverACallersReaderReadsAndWritesItselfAdvancingIt)
{
    const Shapes record = FullShapes();
    const bond::blob bytes = Written<CompactWriter>(record, bond::v1);
    CompactReader reader{bond::InputBuffer(bytes)};
    EXPECT_EQ((bond::bonded<Shapes, CompactReader&>(reader).Deserialize()), record);
    EXPECT_EQ(reader.GetBuffer().GetPosition(), bytes.size());

    CompactReader again{bond::InputBuffer(bytes)};
    bond::OutputBuffer output;
    bond::FastBinaryWriter<bond::OutputBuffer> writer(output);
    bond::bonded<Shapes, CompactReader&>(again).Serialize(writer);
    EXPECT_EQ(ToHex(output.GetBuffer()), ToHex(Written<bond::FastBinaryWriter<bond::OutputBuffer>>(record, 1)));
    EXPECT_EQ(again.GetBuffer().GetPosition(), bytes.size());
}

// std::ref makes a payload of the record itself: later changes show.
TEST(Bonded, APayloadByReferenceDoesNotCopy)
{
    Point point;
    const bond::bonded<Point> payload(std::ref(point));
    point.x = 1;
    EXPECT_EQ(payload.Deserialize().x, 1);
    EXPECT_EQ(ToHex(Written<CompactWriter>(payload, bond::v1)), "100200");
}

// Writes what a payload holds as text: a record as {ordinal:value ...}, a list
// or set as [a,b], a map as <key=value,...>, a wide string by its length.
class Describe : public bond::DeserializingTransform {
public:
    explicit Describe(std::string& text) : _text(text) {}

    void Begin(const bond::Metadata&) const { _text += "{"; }
    void End() const { _text += "}"; }
    void UnknownEnd() const { _text += "}"; }

    template <typename T>
    bool Base(const T&) const
    {
        return false;
    }

    template <typename T>
    bool Field(uint16_t id, const bond::Metadata&, const T& value) const
    {
        _text += " " + std::to_string(id) + ":";
        Value(value);
        return false;
    }

    template <typename T>
    bool UnknownField(uint16_t id, const T& value) const
    {
        _text += " ?" + std::to_string(id) + ":";
        Value(value);
        return false;
    }

    template <typename Element>
    void Container(const Element& element, uint32_t size) const
    {
        _text += "[";
        for (uint32_t i = 0; i < size; ++i) {
            _text += i == 0 ? "" : ",";
            Value(element);
        }
        _text += "]";
    }

    template <typename Key, typename Element>
    void Container(const Key& key, const Element& element, uint32_t size) const
    {
        _text += "<";
        for (uint32_t i = 0; i < size; ++i) {
            _text += i == 0 ? "" : ",";
            Value(key);
            _text += "=";
            Value(element);
        }
        _text += ">";
    }

private:
    template <typename T, typename Reader>
    void Value(const bond::value<T, Reader>& value) const
    {
        if constexpr (std::is_same_v<T, std::string>) {
            std::string text;
            value.Deserialize(text);
            _text += text;
        } else if constexpr (std::is_same_v<T, std::wstring>) {
            std::wstring text;
            value.Deserialize(text);
            _text += "w" + std::to_string(text.size());
        } else if constexpr (bond::is_basic_type<T>::value) {
            T number{};
            value.Deserialize(number);
            _text += std::to_string(number);
        } else {
            bond::Apply(*this, value);
        }
    }

    template <typename T, typename Reader>
    void Value(const bond::bonded<T, Reader>& payload) const
    {
        bond::Apply(*this, payload);
    }

    std::string& _text;
};

TEST(Value, TransformsReadFieldsAndWalkContainers)
{
    const std::string expected = "{ 0:<a=-1,bc=300> 1:[-2,7] 2:[[1,-1],[],[32767]] 3:[{ 0:4 1:m}] 5:{ 0:-5 1:p} 6:w2 "
                                 "9:1099511627776 10:[65,66]}";
    const Shapes record = FullShapes();
    const bond::RuntimeSchema schema = bond::GetRuntimeSchema<Shapes>();
    ForEachProtocol([&](auto protocol) {
        const bond::blob bytes = Written<typename decltype(protocol)::writer>(record, protocol.version);
        std::string text;
        bond::Apply(Describe(text), bond::bonded<Shapes>(protocol.Over(bytes)));
        EXPECT_EQ(text, expected) << protocol.name;
        text.clear();
        bond::Apply(Describe(text), bond::bonded<void>(protocol.Over(bytes), schema));
        EXPECT_EQ(text, expected) << protocol.name << " through the run-time schema";
    });
}

}  // namespace
