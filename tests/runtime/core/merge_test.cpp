// Merging a record into a payload of a type that sees part of it: the
// record's fields replace the payload's and the rest is kept, in every tagged
// protocol; a container to merge must hold what the payload's holds.
#include "test_records.h"

#include "hex.h"
#include "inheritance_reflection.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

namespace {

using test::inheritance::Animal;
using test::inheritance::Puppy;
using test_records::ForEachProtocol;
using test_records::Written;

TEST(Merge, ARecordReplacesWhatItsTypeSeesAndKeepsTheRest)
{
    Puppy puppy;
    puppy.name = "a";
    puppy.legs = 4;
    puppy.age = -3;
    puppy.breed = "b";
    puppy.sleepy = true;
    Animal animal;
    animal.name = "z";
    animal.legs = 3;
    Puppy expected = puppy;
    static_cast<Animal&>(expected) = animal;

    ForEachProtocol([&](auto protocol) {
        using P = decltype(protocol);
        if constexpr (P::reader::tagged) {
            const bond::blob bytes = Written<typename P::writer>(puppy, protocol.version);
            bond::OutputBuffer output;
            typename P::writer writer(output, protocol.version);
            bond::Merge(animal, protocol.Over(bytes), writer);
            EXPECT_EQ(bond::Deserialize<Puppy>(protocol.Over(output.GetBuffer())), expected) << protocol.name;

            // A payload merged into holds the result in its own protocol.
            bond::bonded<Animal> payload(protocol.Over(bytes));
            payload.Merge(animal);
            EXPECT_EQ(bond::bonded<Puppy>(payload).Deserialize(), expected) << protocol.name;
        }
    });
}

TEST(Merge, AContainerToMergeHoldsAsManyElementsAsThePayloads)
{
    test_records::Node payload;
    payload.children.resize(2);
    test_records::Node record;
    record.children.resize(1);
    const bond::blob bytes = Written<test_records::CompactWriter>(payload, bond::v1);
    bond::OutputBuffer output;
    test_records::CompactWriter writer(output);
    EXPECT_EQ(testing_support::MessageOf(
                  [&] { bond::Merge(record, bond::CompactBinaryReader<bond::InputBuffer>(bytes), writer); }),
              "Merge: the payload's container holds 2 elements, the record's 1");
}

}  // namespace
