// Records with a base (inheritance.bond): where each protocol puts the base's
// fields, and every walk that meets them: reading, re-encoding, passing over,
// and reading a payload as a record higher or lower in the hierarchy.
#include "test_records.h"

#include "hex.h"
#include "inheritance_reflection.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <type_traits>

namespace {

using test::inheritance::Animal;
using test::inheritance::Dog;
using test::inheritance::Puppy;
using test_records::CompactWriter;
using test_records::Decode;
using test_records::ForEachProtocol;
using test_records::Written;
using testing_support::MessageOf;
using testing_support::ToHex;

Puppy SomePuppy()
{
    Puppy puppy;
    puppy.name = "a";
    puppy.legs = 4;
    puppy.sleepy = true;
    return puppy;
}

Puppy FullPuppy()
{
    Puppy puppy = SomePuppy();
    puppy.age = -3;
    puppy.breed = "b";
    return puppy;
}

TEST(BaseStructs, EachLevelIsWrittenBeforeTheNextBaseFirst)
{
    // name "a", legs 4 (required), age left out at its default, breed written
    // empty (required_optional), sleepy true.
    const std::map<std::string, std::string> expected = {
        {"Compact v1", "090161250401490001a20100"},
        {"Compact v2", "0c090161250401490001a20100"},
        {"Fast", "090000016105010004000000010902000001020500"
                 "0100"},
        {"Simple v1", "01000000610400000000000000000000"
                      "0001"},
        {"Simple v2", "016104000000000000000001"},
    };
    ForEachProtocol([&](auto protocol) {
        using P = decltype(protocol);
        EXPECT_EQ(ToHex(Written<typename P::writer>(SomePuppy(), protocol.version)), expected.at(protocol.name))
            << protocol.name;
    });
}

TEST(BaseStructs, EveryProtocolReadsAndReencodesIntoEveryOther)
{
    ForEachProtocol([&](auto from) {
        using From = decltype(from);
        const bond::blob bytes = Written<typename From::writer>(FullPuppy(), from.version);
        EXPECT_EQ(bond::Deserialize<Puppy>(from.Over(bytes)), FullPuppy()) << from.name;
        ForEachProtocol([&](auto to) {
            using To = decltype(to);
            bond::OutputBuffer output;
            typename To::writer writer(output, to.version);
            bond::bonded<Puppy>(from.Over(bytes)).Serialize(writer);
            EXPECT_EQ(bond::Deserialize<Puppy>(to.Over(output.GetBuffer())), FullPuppy())
                << from.name << " into " << to.name;
        });
    });
}

TEST(BaseStructs, PassingOverADerivedRecordPassesOverItsBases)
{
    ForEachProtocol([&](auto protocol) {
        using P = decltype(protocol);
        auto reader = protocol.Over(Written<typename P::writer>(FullPuppy(), protocol.version));
        bond::bonded<Puppy, decltype(reader)&>(reader).Skip();
        EXPECT_TRUE(reader.GetBuffer().IsEof()) << protocol.name;
    });
}

TEST(BaseStructs, ABaseReadsADerivedPayloadAndPassesTheRestThrough)
{
    ForEachProtocol([&](auto protocol) {
        using P = decltype(protocol);
        const bond::blob bytes = Written<typename P::writer>(FullPuppy(), protocol.version);
        const Animal animal = bond::Deserialize<Animal>(protocol.Over(bytes));
        EXPECT_EQ(animal, static_cast<const Animal&>(FullPuppy())) << protocol.name;
        if constexpr (P::reader::tagged) {
            // Re-encoded as its base, the payload keeps the derived fields
            // and the markers between the levels.
            bond::OutputBuffer output;
            bond::FastBinaryWriter<bond::OutputBuffer> writer(output);
            bond::bonded<Animal>(protocol.Over(bytes)).Serialize(writer);
            EXPECT_EQ(bond::Deserialize<Puppy>(bond::FastBinaryReader<bond::InputBuffer>(output.GetBuffer())),
                      FullPuppy())
                << protocol.name;
        }
    });
}

TEST(BaseStructs, ADerivedRecordIsNotReadFromItsBaseAlone)
{
    Animal animal;
    animal.legs = 2;
    const bond::blob bytes = Written<CompactWriter>(animal, bond::v1);
    EXPECT_EQ(MessageOf([&] { bond::Deserialize<Dog>(bond::CompactBinaryReader<bond::InputBuffer>(bytes)); }),
              "De-serialization failed: unexpected struct stop encountered for test.inheritance.Dog");
    EXPECT_EQ(MessageOf([&] { bond::Deserialize<Puppy>(bond::CompactBinaryReader<bond::InputBuffer>(bytes)); }),
              "De-serialization failed: unexpected struct stop encountered for test.inheritance.Dog");
}

// A payload converts to its base's implicitly, and to a derived record's or
// from one of a run-time schema only when asked, whatever it holds: a payload
// or a record in memory, which its base's view keeps whole.
TEST(BaseStructs, PayloadsConvertAlongTheHierarchy)
{
    static_assert(std::is_convertible_v<bond::bonded<Puppy>, bond::bonded<Animal>>);
    static_assert(!std::is_convertible_v<bond::bonded<Animal>, bond::bonded<Puppy>>);
    static_assert(!std::is_convertible_v<bond::bonded<void>, bond::bonded<Puppy>>);
    const bond::CompactBinaryReader<bond::InputBuffer> reader(Written<CompactWriter>(FullPuppy(), bond::v1));
    const struct {
        const char* name;
        bond::bonded<Animal> animal;
    } cases[] = {
        {"payload", bond::bonded<Puppy>(reader)},
        {"record in memory", bond::bonded<Puppy>(FullPuppy())},
        {"run-time schema", bond::bonded<Puppy>(bond::bonded<void>(reader, bond::GetRuntimeSchema<Puppy>()))},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.animal.Deserialize(), static_cast<const Animal&>(FullPuppy())) << c.name;
        EXPECT_EQ(bond::bonded<Puppy>(c.animal).Deserialize(), FullPuppy()) << c.name;
    }
}

// A record in memory is no derived record: read as one, it is read from its
// payload, which lacks the derived part.
TEST(BaseStructs, ARecordInMemoryIsReadAsADerivedOneFromItsPayload)
{
    Animal animal;
    animal.legs = 2;
    EXPECT_EQ(MessageOf([&] { bond::bonded<Dog>(bond::bonded<Animal>(animal)).Deserialize(); }),
              "De-serialization failed: unexpected struct stop encountered for test.inheritance.Dog");
}

TEST(BaseStructs, ABasePartIsCheckedForItsOwnRequiredFields)
{
    // Animal part: name "a" without legs; Dog part: breed "".
    EXPECT_EQ(MessageOf([&] { Decode<Dog>(("09 01 61 01 49 00 00")); }),
              "De-serialization failed: required field 1 is missing from test.inheritance.Animal");
    EXPECT_EQ(Decode<Dog>(("09 01 61 25 04 01 49 00 00")).legs, 4u);
}

// Dog's run-time schema, with Animal as its base, as the library describes a
// derived record.
bond::RuntimeSchema DogSchema()
{
    const auto field = [](uint16_t id, bond::BondDataType type) {
        bond::FieldDef def;
        def.id = id;
        def.type.id = type;
        return def;
    };
    auto schema = std::make_shared<bond::SchemaDef>();
    schema->structs.resize(2);
    schema->structs[0].metadata = Dog::Schema::metadata;
    schema->structs[0].base_def.set().struct_def = 1;
    schema->structs[0].fields = {field(0, bond::BT_INT32), field(2, bond::BT_STRING)};
    schema->structs[1].metadata = Animal::Schema::metadata;
    schema->structs[1].fields = {field(0, bond::BT_STRING), field(1, bond::BT_UINT32)};
    return bond::RuntimeSchema(std::move(schema));
}

TEST(BaseStructs, ARunTimeSchemaWalksTheBaseItDescribes)
{
    const bond::RuntimeSchema schema = DogSchema();
    Dog dog;
    static_cast<Animal&>(dog) = FullPuppy();
    dog.age = 2;
    dog.breed = "b";
    ForEachProtocol([&](auto protocol) {
        using P = decltype(protocol);
        const bond::blob bytes = Written<typename P::writer>(dog, protocol.version);
        EXPECT_EQ(bond::Deserialize<Dog>(protocol.Over(bytes), schema), dog) << protocol.name;
        bond::OutputBuffer output;
        typename P::writer writer(output, protocol.version);
        bond::Serialize(bond::bonded<void>(protocol.Over(bytes), schema), writer);
        EXPECT_EQ(bond::Deserialize<Dog>(protocol.Over(output.GetBuffer())), dog) << protocol.name;
    });
}

}  // namespace
