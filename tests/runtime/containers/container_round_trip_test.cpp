// Every basic type in every container, and containers nested in one another
// (with the standard allocator, and text and containers with one of their own),
// through every protocol and every walk: decoded into the record by its
// compile-time and by its run-time schema, re-encoded from a payload into
// every protocol, and passed over.
#include "container_samples.h"
#include "test_records.h"

#include "hex.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace test::containers;
using test_records::ForEachProtocol;
using test_records::Written;
using testing_support::ToHex;

template <typename T>
class Containers : public testing::Test {};

// OwnTypes holds a list, a scalar and a string of one's own (own_types.h);
// Allocated takes its text and containers from an allocator of its own.
using Records = testing::Types<Vectors, Lists, Sets, MapKeys, MapValues, Nullables, Nested, test::own_types::OwnTypes,
                               test::allocated::Allocated>;
TYPED_TEST_SUITE(Containers, Records);

TYPED_TEST(Containers, DecodeIntoTheRecord)
{
    using T = TypeParam;
    const bond::RuntimeSchema schema = bond::GetRuntimeSchema<T>();
    ForEachProtocol([&](auto protocol) {
        using P = decltype(protocol);
        for (const T& record : {T{}, Filled<T>()}) {
            const bond::blob bytes = Written<typename P::writer>(record, protocol.version);
            EXPECT_EQ(bond::Deserialize<T>(protocol.Over(bytes)), record) << protocol.name;
            EXPECT_EQ(bond::Deserialize<T>(protocol.Over(bytes), schema), record) << protocol.name;
        }
    });
}

// A payload re-encoded into another protocol holds the record, whether the
// payload is read by the record's compile-time schema or its run-time one.
// From a tagged payload, it is what the record itself encodes to there; an
// untagged one says nothing of which fields are at their defaults, so every
// field goes out.
TYPED_TEST(Containers, ReEncodeIntoEveryProtocol)
{
    using T = TypeParam;
    const T record = Filled<T>();
    const bond::RuntimeSchema schema = bond::GetRuntimeSchema<T>();
    ForEachProtocol([&](auto from) {
        using From = decltype(from);
        const bond::blob bytes = Written<typename From::writer>(record, from.version);
        ForEachProtocol([&](auto to) {
            using To = decltype(to);
            const std::string expected = ToHex(Written<typename To::writer>(record, to.version));
            const auto check = [&](const auto& payload, const std::string& label) {
                const bond::blob written = Written<typename To::writer>(payload, to.version);
                EXPECT_EQ(bond::Deserialize<T>(to.Over(written)), record) << label;
                if constexpr (From::reader::tagged) {
                    EXPECT_EQ(ToHex(written), expected) << label;
                }
            };
            const std::string label = std::string(from.name) + " to " + to.name;
            check(bond::bonded<T>(from.Over(bytes)), label);
            // A tagged payload that only a run-time schema describes does not go
            // into Simple Binary (see the serializer's tests).
            if (!From::reader::tagged || To::reader::tagged) {
                check(bond::bonded<void>(from.Over(bytes), schema), label + " by the run-time schema");
            }
        });
    });
}

// Passed over as a whole, by either schema, a payload leaves its reader at
// its end.
TYPED_TEST(Containers, PassOverToTheEnd)
{
    using T = TypeParam;
    const bond::RuntimeSchema schema = bond::GetRuntimeSchema<T>();
    ForEachProtocol([&](auto protocol) {
        using P = decltype(protocol);
        using Reader = typename P::reader;
        const bond::blob bytes = Written<typename P::writer>(Filled<T>(), protocol.version);

        Reader compiled = protocol.Over(bytes);
        bond::Apply(bond::Null(), bond::bonded<T, Reader&>(compiled));
        EXPECT_EQ(compiled.GetBuffer().GetPosition(), bytes.size()) << protocol.name;

        Reader described = protocol.Over(bytes);
        bond::Apply(bond::Null(), bond::bonded<void, Reader&>(described, schema));
        EXPECT_EQ(described.GetBuffer().GetPosition(), bytes.size()) << protocol.name << " by the run-time schema";

        // A record that declares none of the fields passes over each of them.
        Reader unknown = protocol.Over(bytes);
        EXPECT_EQ((bond::bonded<void, Reader&>(unknown, schema).template Deserialize<Empty>()), Empty{})
            << protocol.name;
        EXPECT_EQ(unknown.GetBuffer().GetPosition(), bytes.size()) << protocol.name << " into a record of none";
    });
}

}  // namespace
