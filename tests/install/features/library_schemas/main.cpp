// A record built from the library's own schemas (bond.bond and bond_const.bond)
// written and read back, and the names its run-time schema gives them.
#include "catalog_apply.h"
#include "catalog_reflection.h"

#include <bond/core/bond.h>
#include <bond/stream/output_buffer.h>

#include <iostream>

int main()
{
    catalog::Entry entry;
    entry.id.Data1 = 0xC0FFEE;
    entry.id.Data4 = 42;
    entry.type.id = bond::BT_STRING;
    entry.boxed.value = -7;
    entry.notes.emplace_back().name = "first";

    bond::OutputBuffer output;
    bond::CompactBinaryWriter<bond::OutputBuffer> writer(output);
    bond::Serialize(entry, writer);

    catalog::Entry read;
    bond::Deserialize(bond::CompactBinaryReader<bond::InputBuffer>(output.GetBuffer()), read);
    std::cout << "read back equal: " << std::boolalpha << (read == entry) << '\n'
              << "id: " << std::hex << read.id.Data1 << '-' << std::dec << read.id.Data4 << '\n'
              << "type: " << read.type.id << ", default kind: " << read.kind << '\n'
              << "boxed: " << read.boxed.value << ", note: " << read.notes.at(0).name << '\n';

    const bond::SchemaDef schema = bond::GetRuntimeSchema<catalog::Entry>().GetSchema();
    for (const bond::StructDef& record : schema.structs) {
        std::cout << record.metadata.qualified_name << '\n';
    }
}
