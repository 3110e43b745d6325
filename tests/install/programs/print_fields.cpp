// A transform written as the library's manual teaches them: a deserializing
// transform that prints a payload's fields, deserializing basic values with
// value::Deserialize and applying itself to nested structs with bond::Apply.
#include <bond/core/bond.h>
#include <bond/stream/output_buffer.h>
#include <secrets_package_apply.h>

#include <cstdio>
#include <string>
#include <type_traits>

class PrintFields : public bond::DeserializingTransform {
public:
    explicit PrintFields(std::string indent = "") : _indent(std::move(indent)) {}

    void Begin(const bond::Metadata& metadata) const { std::printf("%s%s\n", _indent.c_str(), metadata.name.c_str()); }
    void End() const {}
    void UnknownEnd() const {}

    template <typename T>
    bool Base(const T& value) const
    {
        return bond::Apply(PrintFields(_indent), value);
    }

    template <typename T, typename Reader>
    typename std::enable_if<bond::is_basic_type<T>::value, bool>::type
    Field(uint16_t id, const bond::Metadata& metadata, const bond::value<T, Reader>& value) const
    {
        T x;
        value.Deserialize(x);
        std::printf("%s  %u %s = %s\n", _indent.c_str(), id, metadata.name.c_str(), Text(x).c_str());
        return false;
    }

    template <typename T, typename Reader>
    typename std::enable_if<!bond::is_basic_type<T>::value, bool>::type
    Field(uint16_t id, const bond::Metadata& metadata, const bond::value<T, Reader>&) const
    {
        std::printf("%s  %u %s = (container)\n", _indent.c_str(), id, metadata.name.c_str());
        return false;
    }

    template <typename T, typename Reader>
    bool Field(uint16_t id, const bond::Metadata& metadata, const bond::bonded<T, Reader>& value) const
    {
        std::printf("%s  %u %s:\n", _indent.c_str(), id, metadata.name.c_str());
        return bond::Apply(PrintFields(_indent + "    "), value);
    }

    template <typename T>
    bool UnknownField(uint16_t id, const T&) const
    {
        std::printf("%s  %u (unknown)\n", _indent.c_str(), id);
        return false;
    }

private:
    template <typename T>
    static std::string Text(const T& x)
    {
        if constexpr (std::is_same_v<T, std::wstring>) {
            return std::string(x.begin(), x.end());
        } else if constexpr (std::is_same_v<T, std::string>) {
            return x;
        } else {
            return std::to_string(static_cast<long long>(x));
        }
    }

    std::string _indent;
};

int main()
{
    using namespace Trel::Security::Vaskor;
    SecretsPackage package;
    package.SecureBlobETag = L"etag-7";
    package.ManagedCertsPackage.CertsData = bond::blob("abc", 3);
    SupportingCert cert;
    cert.Type = RawData;
    cert.DestinationStoreName = L"CA";
    package.SupportingCerts.push_back(cert);

    bond::OutputBuffer output;
    bond::CompactBinaryWriter<bond::OutputBuffer> writer(output);
    bond::Serialize(package, writer);

    bond::CompactBinaryReader<bond::InputBuffer> reader(output.GetBuffer());
    bond::Apply(PrintFields(), bond::bonded<SecretsPackage>(reader));
    return 0;
}
