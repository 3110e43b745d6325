// upgrade_store_name: a deserializing transform. An older version of the schema
// kept a supporting certificate's store name as a narrow string under ordinal
// 20; today's DestinationStoreName (ordinal 2) is a wide string. A transform
// derived from bond::To reads every current field as To does, and takes the
// old field, which To alone passes over as unknown, into the new one.
//
//     upgrade_store_name        prints the certificate read from an old payload
#include <bond/core/bond.h>
#include <bond/stream/output_buffer.h>
#include <secrets_package_apply.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

using Trel::Security::Vaskor::SupportingCert;

// A certificate as the older program wrote it: its Type, its Data, and the
// store name as "string 20".
bond::blob OldPayload()
{
    bond::OutputBuffer output;
    bond::CompactBinaryWriter<bond::OutputBuffer> writer(output);
    const bond::Metadata none;
    writer.WriteStructBegin(none);
    writer.WriteFieldBegin(bond::BT_INT32, 0, none);
    writer.Write(int32_t{Trel::Security::Vaskor::RawData});
    writer.WriteFieldEnd();
    writer.WriteFieldBegin(bond::BT_LIST, 1, none);
    writer.WriteContainerBegin(3, bond::BT_INT8);
    writer.Write(bond::blob("\x30\x82\x01", 3));
    writer.WriteContainerEnd();
    writer.WriteFieldEnd();
    writer.WriteFieldBegin(bond::BT_STRING, 20, none);
    writer.Write(std::string("TrustedPeople"));
    writer.WriteFieldEnd();
    writer.WriteStructEnd();
    return output.GetBuffer();
}

template <typename T>
class UpgradeStoreName : public bond::To<T> {
public:
    explicit UpgradeStoreName(T& var) : bond::To<T>(var), _var(var) {}

    template <typename Reader>
    bool UnknownField(uint16_t id, const bond::value<std::string, Reader>& value) const
    {
        if (id == 20) {
            std::string name;
            value.Deserialize(name);
            _var.DestinationStoreName.assign(name.begin(), name.end());
        }
        return false;
    }

    // Any other unknown field is left for the parser to pass over.
    template <typename Value>
    bool UnknownField(uint16_t, const Value&) const
    {
        return false;
    }

private:
    T& _var;
};

}  // namespace

int main()
{
    const bond::blob payload = OldPayload();
    bond::CompactBinaryReader<bond::InputBuffer> reader(payload);

    SupportingCert cert;
    bond::Apply(UpgradeStoreName<SupportingCert>(cert), bond::bonded<SupportingCert>(reader));

    std::printf("Type=%s Data=%u bytes DestinationStoreName=%ls\n", ToString(cert.Type).c_str(), cert.Data.size(),
                cert.DestinationStoreName.c_str());
    return 0;
}
