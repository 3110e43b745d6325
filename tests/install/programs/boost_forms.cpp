// The library's Boost forms, as its manual and examples use them: a schema's
// fields walked with boost::mpl, payloads and blobs over boost::shared_ptr
// and boost::ref, a run-time schema held by a boost::shared_ptr, and a
// transform choosing its overloads with boost::enable_if.
#include <bond/core/bond.h>
#include <bond/stream/output_buffer.h>
#include <secrets_package_apply.h>

#include <boost/make_shared.hpp>
#include <boost/mpl/for_each.hpp>
#include <boost/mpl/size.hpp>
#include <boost/ref.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/utility/enable_if.hpp>

#include <cstdio>
#include <string>

using namespace Trel::Security::Vaskor;

struct PrintName {
    template <typename Field>
    void operator()(const Field&) const
    {
        std::printf(" %s", Field::metadata.name.c_str());
    }
};

// Counts the basic fields of a payload and the structs it holds.
class CountFields : public bond::DeserializingTransform {
public:
    explicit CountFields(int& basic, int& structs) : _basic(basic), _structs(structs) {}

    void Begin(const bond::Metadata&) const {}
    void End() const {}
    void UnknownEnd() const {}

    template <typename T>
    bool Base(const T&) const
    {
        return false;
    }

    template <typename T, typename Reader>
    typename boost::enable_if<bond::is_basic_type<T>, bool>::type Field(uint16_t, const bond::Metadata&,
                                                                        const bond::value<T, Reader>& value) const
    {
        T x;
        value.Deserialize(x);
        ++_basic;
        return false;
    }

    template <typename T, typename Reader>
    typename boost::disable_if<bond::is_basic_type<T>, bool>::type Field(uint16_t, const bond::Metadata&,
                                                                         const bond::value<T, Reader>&) const
    {
        return false;
    }

    template <typename T, typename Reader>
    bool Field(uint16_t, const bond::Metadata&, const bond::bonded<T, Reader>& value) const
    {
        ++_structs;
        return bond::Apply(*this, value);
    }

    template <typename T>
    bool UnknownField(uint16_t, const T&) const
    {
        return false;
    }

private:
    int& _basic;
    int& _structs;
};

template <typename T>
bond::blob Compact(const T& value)
{
    bond::OutputBuffer output;
    bond::CompactBinaryWriter<bond::OutputBuffer> writer(output);
    bond::Serialize(value, writer);
    return output.GetBuffer();
}

int main()
{
    std::printf("SecretsPackage has %d fields; SupportingCert's:",
                static_cast<int>(boost::mpl::size<SecretsPackage::Schema::fields>::value));
    boost::mpl::for_each<SupportingCert::Schema::fields>(PrintName());
    std::printf("\n");

    boost::shared_ptr<char[]> storage(new char[8]);
    std::memcpy(storage.get(), "xxbundle", 8);
    auto package = boost::make_shared<SecretsPackage>();
    package->UnmanagedCertsData = bond::blob(storage, 2, 6);
    storage.reset();
    package->SecureBlobETag = L"etag-7";

    const bond::bonded<SecretsPackage> shared(package);
    const bond::bonded<SecretsPackage> referenced(boost::ref(*package));
    package->ManagedCertsPackage.CertsData = bond::blob("managed", 7);
    std::printf("by boost::shared_ptr: %s; by boost::ref: %s\n",
                shared.Deserialize() == *package ? "the record as it is now" : "a copy",
                referenced.Deserialize() == *package ? "the record as it is now" : "a copy");

    boost::shared_ptr<bond::SchemaDef> schema(boost::make_shared<bond::SchemaDef>());
    bond::Deserialize(bond::CompactBinaryReader<bond::InputBuffer>(Compact(bond::GetRuntimeSchema<SecretsPackage>())),
                      *schema);
    SecretsPackage through_schema;
    bond::Deserialize(bond::CompactBinaryReader<bond::InputBuffer>(Compact(*package)), through_schema, schema);
    std::printf("read through a boost::shared_ptr<SchemaDef>: %s\n",
                through_schema == *package ? "the record" : "another record");

    int basic = 0;
    int structs = 0;
    bond::CompactBinaryReader<bond::InputBuffer> reader(Compact(*package));
    bond::Apply(CountFields(basic, structs), bond::bonded<SecretsPackage, decltype(reader)&>(reader));
    std::printf("%d basic field(s), %d struct(s)\n", basic, structs);
    return 0;
}
