// A payload passed on to another protocol without its record's definition,
// as the library's manual shows with "struct Unknown;": every field, known or
// not, goes through.
#include <bond/core/bond.h>
#include <bond/stream/output_buffer.h>
#include <secrets_package_apply.h>

#include <cstdio>

// Declared only: nothing of it is known here.
struct Unknown;

int main()
{
    using Trel::Security::Vaskor::SecretsPackage;
    SecretsPackage package;
    package.UnmanagedCertsData = bond::blob("bundle", 6);
    package.SecureBlobETag = L"etag-7";
    bond::OutputBuffer compact;
    bond::CompactBinaryWriter<bond::OutputBuffer> compact_writer(compact);
    bond::Serialize(package, compact_writer);

    bond::CompactBinaryReader<bond::InputBuffer> reader(compact.GetBuffer());
    bond::bonded<Unknown> payload(reader);

    bond::OutputBuffer fast;
    bond::FastBinaryWriter<bond::OutputBuffer> fast_writer(fast);
    Serialize(payload, fast_writer);

    bond::OutputBuffer marshaled;
    bond::CompactBinaryWriter<bond::OutputBuffer> v2_writer(marshaled, bond::v2);
    Marshal(payload, v2_writer);

    SecretsPackage from_fast;
    bond::Deserialize(bond::FastBinaryReader<bond::InputBuffer>(fast.GetBuffer()), from_fast);
    SecretsPackage from_marshaled;
    bond::Unmarshal(bond::InputBuffer(marshaled.GetBuffer()), from_marshaled);
    std::printf("Fast Binary: %s; Compact Binary v2 marshaled: %s\n", from_fast == package ? "the package" : "changed",
                from_marshaled == package ? "the package" : "changed");
    return 0;
}
