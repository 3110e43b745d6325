// Protocol versions as the library's example on them sets them: a program
// makes Simple Binary default to version 2 before it includes the protocols,
// and the readers and writers it makes without a version follow.
#include <bond/core/bond_version.h>

namespace bond {

template <typename Buffer>
struct default_version<SimpleBinaryReader<Buffer>> : std::integral_constant<uint16_t, v2> {};

}  // namespace bond

#include <bond/core/bond.h>
#include <bond/stream/output_buffer.h>
#include <secrets_package_apply.h>

#include <cstdio>

using Trel::Security::Vaskor::CertMapping;

int main()
{
    CertMapping mapping;
    mapping.SourceLocation = L"LocalMachine/My";
    mapping.Version = 3;

    {
        bond::OutputBuffer output;
        bond::SimpleBinaryWriter<bond::OutputBuffer> writer(output);
        bond::Serialize(mapping, writer);
        CertMapping read_back;
        bond::SimpleBinaryReader<bond::InputBuffer> reader(output.GetBuffer());
        bond::Deserialize(reader, read_back);
        std::printf("default Simple Binary: version %u, %u bytes, %s\n", writer.GetVersion(), output.GetSize(),
                    read_back == mapping ? "read back" : "changed");
    }
    {
        bond::OutputBuffer output;
        bond::SimpleBinaryWriter<bond::OutputBuffer> writer(output, bond::v1);
        bond::Serialize(mapping, writer);
        CertMapping read_back;
        bond::SimpleBinaryReader<bond::InputBuffer> reader(output.GetBuffer(), bond::v1);
        bond::Deserialize(reader, read_back);
        std::printf("Simple Binary v1: %u bytes, %s\n", output.GetSize(),
                    read_back == mapping ? "read back" : "changed");
    }
    {
        bond::OutputBuffer output;
        bond::CompactBinaryWriter<bond::OutputBuffer> writer(output, bond::v2);
        bond::Marshal(mapping, writer);
        CertMapping read_back;
        bond::Unmarshal(bond::InputBuffer(output.GetBuffer()), read_back);
        std::printf("Compact Binary v2 marshaled: %u bytes, %s\n", output.GetSize(),
                    read_back == mapping ? "read back" : "changed");
    }
    return 0;
}
