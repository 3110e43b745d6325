// A Person's payload, known only by its run-time schema, read onto a Card by
// a table of mappings built from the two schemas' field names: name to label,
// age to years, and the city of the nested home to that of where.
#include "people_apply.h"
#include "people_reflection.h"

#include <bond/core/bond.h>
#include <bond/stream/output_buffer.h>

#include <algorithm>
#include <iostream>
#include <string>

namespace {

uint16_t IdOf(const bond::RuntimeSchema& schema, const std::string& name)
{
    const auto& fields = schema.GetStruct().fields;
    return std::find_if(fields.begin(), fields.end(),
                        [&](const bond::FieldDef& field) { return field.metadata.name == name; })
        ->id;
}

}  // namespace

int main()
{
    people::Person person;
    person.name = "Ada";
    person.age = 36;
    person.home.city = "London";

    bond::OutputBuffer output;
    bond::CompactBinaryWriter<bond::OutputBuffer> writer(output);
    bond::Serialize(person, writer);

    const bond::RuntimeSchema from = bond::GetRuntimeSchema<people::Person>();
    const bond::RuntimeSchema to = bond::GetRuntimeSchema<people::Card>();
    bond::Mappings mappings;
    mappings[IdOf(from, "name")].path.push_back(IdOf(to, "label"));
    mappings[IdOf(from, "age")].path.push_back(IdOf(to, "years"));
    mappings[IdOf(from, "home")].fields[0].path = {IdOf(to, "where"), 0};

    const bond::bonded<void> payload(bond::CompactBinaryReader<bond::InputBuffer>(output.GetBuffer()), from);
    people::Card card;
    bond::Apply(bond::MapTo<people::Card>(card, mappings), payload);
    std::cout << "label: " << card.label << "\nyears: " << card.years << "\nwhere: " << card.where.city << '\n';
}
