// Records of every shape through every protocol's writer and back through its
// reader, read as their compile-time schema says and as their run-time schema
// says, and what happens to encodings cut short anywhere.
#include "test_records.h"

#include "hex.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace test_records;
using testing_support::MessageOf;

TEST(RoundTrip, EveryProtocolGivesBackTheRecord)
{
    const bond::RuntimeSchema schema = bond::GetRuntimeSchema<Shapes>();
    ForEachProtocol([&](auto protocol) {
        using P = decltype(protocol);
        for (const Shapes& record : {Shapes{}, FullShapes()}) {
            const bond::blob bytes = Written<typename P::writer>(record, protocol.version);
            EXPECT_EQ(bond::Deserialize<Shapes>(protocol.Over(bytes)), record) << protocol.name;
            EXPECT_EQ(bond::Deserialize<Shapes>(protocol.Over(bytes), schema), record) << protocol.name;
        }
    });
}

TEST(RoundTrip, EveryCutFailsOutOfBounds)
{
    const bond::RuntimeSchema schema = bond::GetRuntimeSchema<Shapes>();
    ForEachProtocol([&](auto protocol) {
        using P = decltype(protocol);
        const bond::blob bytes = Written<typename P::writer>(FullShapes(), protocol.version);
        for (uint32_t length = 0; length < bytes.size(); ++length) {
            const bond::blob cut = bytes.range(0, length);
            for (const bool with_schema : {false, true}) {
                const std::string message = MessageOf([&] {
                    with_schema ? bond::Deserialize<Shapes>(protocol.Over(cut), schema)
                                : bond::Deserialize<Shapes>(protocol.Over(cut));
                });
                EXPECT_EQ(message.rfind("Read out of bounds: ", 0), 0u)
                    << protocol.name << " cut at " << length << (with_schema ? " with the schema: " : ": ") << message;
            }
        }
    });
}

// A program's own helper of the library's name and shape, which its
// unqualified calls must reach rather than find ambiguous beside bond's.
template <typename T>
void Unmarshal(const bond::InputBuffer& input, T& var)
{
    bond::Unmarshal(input, var);
}

TEST(RoundTrip, MarshaledRecordsUnmarshalWhateverTheProtocol)
{
    const Shapes original = FullShapes();
    ForEachProtocol([&](auto protocol) {
        using P = decltype(protocol);
        bond::OutputBuffer output;
        typename P::writer writer(output, protocol.version);
        bond::Marshal(original, writer);
        EXPECT_EQ(bond::Unmarshal<Shapes>(bond::InputBuffer(output.GetBuffer())), original) << protocol.name;
        EXPECT_EQ(bond::Unmarshal<Shapes>(output.GetBuffer()), original) << protocol.name << " from a blob";
        Shapes read;
        const bond::InputBuffer input(output.GetBuffer());
        Unmarshal(input, read);
        EXPECT_EQ(read, original) << protocol.name << " through the program's own Unmarshal";
    });
}

}  // namespace
