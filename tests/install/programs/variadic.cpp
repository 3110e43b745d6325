// Tuples as the library's manual and its variadic example use them: Pack and
// Unpack, std::ignore on both sides, a tuple serialized and read back as a
// record, and its run-time schema.
#include <bond/core/tuple.h>
#include <bond/stream/output_buffer.h>

#include <cstdio>
#include <list>
#include <string>
#include <tuple>
#include <vector>

int main()
{
    bond::OutputBuffer output;
    bond::CompactBinaryWriter<bond::OutputBuffer> writer(output);
    std::string name = "James";
    std::list<double> numbers = {3.14};
    Pack(writer, name, numbers, 10);
    const bond::blob payload = output.GetBuffer();

    bond::CompactBinaryReader<bond::InputBuffer> reader(payload);
    std::string name1;
    std::list<double> numbers1;
    int n = 0;
    Unpack(reader, name1, numbers1, n);
    std::printf("unpacked %s, %zu number(s), %d\n", name1.c_str(), numbers1.size(), n);

    std::list<double> numbers2;
    Unpack(bond::CompactBinaryReader<bond::InputBuffer>(payload), std::ignore, numbers2);
    std::printf("unpacked the second item alone: %g\n", numbers2.front());

    bond::OutputBuffer ignored;
    bond::CompactBinaryWriter<bond::OutputBuffer> ignored_writer(ignored);
    Pack(ignored_writer, std::ignore, 10);
    std::printf("packed std::ignore, 10 in %u bytes\n", ignored.GetBuffer().size());

    const std::tuple<std::string, double, std::vector<uint32_t>> record{"x", 2.5, {1, 2}};
    bond::OutputBuffer tuple_output;
    bond::FastBinaryWriter<bond::OutputBuffer> tuple_writer(tuple_output);
    Serialize(record, tuple_writer);
    std::tuple<std::string, double, std::vector<uint32_t>> read_back;
    Deserialize(bond::FastBinaryReader<bond::InputBuffer>(tuple_output.GetBuffer()), read_back);
    std::printf("the tuple %s through Fast Binary\n", read_back == record ? "comes back" : "changes");

    const bond::StructDef& definition = bond::GetRuntimeSchema(record).GetSchema().structs[0];
    std::printf("%s (%s):", definition.metadata.name.c_str(), definition.metadata.qualified_name.c_str());
    for (const bond::FieldDef& field : definition.fields) {
        std::printf(" %u %s", field.id, field.metadata.name.c_str());
    }
    std::printf("\n");
    return 0;
}
