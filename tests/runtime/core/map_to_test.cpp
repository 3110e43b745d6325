// Reading a payload onto a record of another shape by a table of mappings:
// fields by path into nested records, a base part's by its own table, whether
// the payload's compile-time or run-time schema describes it; what the table
// leaves out, or a field cannot take, is passed over.
#include "test_records.h"

#include "inheritance_reflection.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

using test::inheritance::Puppy;
using test_records::Shapes;

TEST(MapTo, ReadsMappedFieldsByPathWhicheverSchemaDescribesThePayload)
{
    bond::Mappings mappings;
    bond::Mappings& dog = mappings[bond::mapping_base].fields;
    dog[0].path = {5, 0};  // age: point.x
    dog[2].path = {6};     // breed: name, a wide string, which takes no string
    bond::Mappings& animal = dog[bond::mapping_base].fields;
    animal[0].path = {5, 1};  // name: point.label
    animal[1].path = {9};     // legs: big

    Puppy puppy;
    puppy.name = "a";
    puppy.legs = 4;
    puppy.age = -3;
    puppy.breed = "b";
    const bond::CompactBinaryReader<bond::InputBuffer> reader(
        test_records::Written<test_records::CompactWriter>(puppy, bond::v1));
    const struct {
        const char* name;
        std::function<void(Shapes&)> map;
    } cases[] = {
        {"compile-time schema",
         [&](Shapes& shapes) { bond::Apply(bond::MapTo<Shapes>(shapes, mappings), bond::bonded<Puppy>(reader)); }},
        {"run-time schema",
         [&](Shapes& shapes) {
             bond::Apply(bond::MapTo<Shapes>(shapes, mappings),
                         bond::bonded<void>(reader, bond::GetRuntimeSchema<Puppy>()));
         }},
    };
    for (const auto& c : cases) {
        Shapes shapes;
        c.map(shapes);
        Shapes expected;
        expected.point = {-3, "a"};
        expected.big = 4;
        EXPECT_EQ(shapes, expected) << c.name;
    }
}

}  // namespace
