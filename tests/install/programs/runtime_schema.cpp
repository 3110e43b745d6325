// Payloads read through a run-time schema, as the library's manual shows
// them: the schema itself travels as a record and is read into a
// boost::shared_ptr<SchemaDef>; a bonded<void> binds a payload to it and
// re-encodes it; Deserialize reads a Simple Binary payload through it.
#include <bond/core/bond.h>
#include <bond/stream/output_buffer.h>
#include <secrets_package_apply.h>

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include <cstdio>

using Trel::Security::Vaskor::SecretsPackage;

template <typename Writer, typename T>
bond::blob Written(const T& value, uint16_t version)
{
    bond::OutputBuffer output;
    Writer writer(output, version);
    bond::Serialize(value, writer);
    return output.GetBuffer();
}

int main()
{
    SecretsPackage package;
    package.UnmanagedCertsData = bond::blob("bundle", 6);
    package.SecureBlobETag = L"etag-7";

    using CompactWriter = bond::CompactBinaryWriter<bond::OutputBuffer>;
    const bond::blob schema_payload = Written<CompactWriter>(bond::GetRuntimeSchema<SecretsPackage>(), bond::v1);
    boost::shared_ptr<bond::SchemaDef> schema(boost::make_shared<bond::SchemaDef>());
    bond::Deserialize(bond::CompactBinaryReader<bond::InputBuffer>(schema_payload), *schema);
    std::printf("the schema describes %s\n", schema->structs[schema->root.struct_def].metadata.qualified_name.c_str());

    bond::CompactBinaryReader<bond::InputBuffer> reader(Written<CompactWriter>(package, bond::v1));
    bond::bonded<void> data(reader, schema);
    for (const uint16_t version : {bond::v1, bond::v2}) {
        bond::OutputBuffer output;
        CompactWriter writer(output, version);
        Serialize(data, writer);
        SecretsPackage read_back;
        bond::Deserialize(bond::CompactBinaryReader<bond::InputBuffer>(output.GetBuffer(), version), read_back);
        std::printf("re-encoded to Compact Binary v%u: %s\n", version,
                    read_back == package ? "the package" : "changed");
    }
    SecretsPackage through_data;
    data.Deserialize(through_data);
    std::printf("read from the bonded<void>: %s\n", through_data == package ? "the package" : "changed");

    using SimpleWriter = bond::SimpleBinaryWriter<bond::OutputBuffer>;
    const bond::blob simple = Written<SimpleWriter>(package, bond::v2);
    SecretsPackage from_simple;
    bond::Deserialize(bond::SimpleBinaryReader<bond::InputBuffer>(simple, bond::v2), from_simple, schema);
    std::printf("Simple Binary read through the schema: %s\n", from_simple == package ? "the package" : "changed");
    return 0;
}
