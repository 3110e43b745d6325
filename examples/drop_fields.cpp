// drop_fields: a serializing transform. It re-encodes a secrets package from
// Compact Binary to Fast Binary without decoding it, leaving out every field,
// at any depth, whose name is given on the command line; fields the schema
// does not know would pass through as they are.
//
//     drop_fields NAME...       re-encodes a demonstration package and prints
//                               the fields the result still holds
#include "demo_package.h"

#include <bond/core/bond.h>
#include <bond/stream/output_buffer.h>
#include <secrets_package_apply.h>

#include <cstdio>
#include <set>
#include <string>
#include <type_traits>

namespace {

template <typename Writer>
class DropFields : public bond::Serializer<Writer> {
public:
    DropFields(Writer& output, const std::set<std::string>& names, bool base = false)
        : bond::Serializer<Writer>(output, base), _output(output), _names(names)
    {}

    template <typename T>
    bool Base(const T& value) const
    {
        return bond::Apply(DropFields(_output, _names, true), value);
    }

    template <typename T>
    bool Field(uint16_t id, const bond::Metadata& metadata, const T& value) const
    {
        if (_names.count(metadata.name) == 0) {
            _output.WriteFieldBegin(bond::GetTypeId(value), id, metadata);
            Write(value);
            _output.WriteFieldEnd();
        }
        return false;
    }

    template <typename T>
    void Container(const T& element, uint32_t size) const
    {
        _output.WriteContainerBegin(size, bond::GetTypeId(element));
        while (size--) {
            Write(element);
        }
        _output.WriteContainerEnd();
    }

    template <typename Key, typename T>
    void Container(const Key& key, const T& value, uint32_t size) const
    {
        _output.WriteContainerBegin(size, std::make_pair(bond::GetTypeId(key), bond::GetTypeId(value)));
        while (size--) {
            Write(key);
            Write(value);
        }
        _output.WriteContainerEnd();
    }

private:
    template <typename T, typename Reader>
    void Write(const bond::value<T, Reader>& value) const
    {
        if constexpr (bond::is_basic_type<T>::value) {
            T data;
            value.Deserialize(data);
            _output.Write(data);
        } else {
            // A container: its elements come back through Container.
            bond::Apply(DropFields(_output, _names), value);
        }
    }

    template <typename T, typename Reader>
    void Write(const bond::bonded<T, Reader>& value) const
    {
        bond::Apply(DropFields(_output, _names), value);
    }

    Writer& _output;
    const std::set<std::string>& _names;
};

}  // namespace

template <typename T>
bool HoldsSomething(const T& field)
{
    if constexpr (requires { field.empty(); }) {
        return !field.empty();
    } else {
        return field != T{};
    }
}

// Prints the name of every field of a record that holds something.
class PrintPresent : public bond::SerializingTransform {
public:
    void Begin(const bond::Metadata&) const {}
    void End() const {}

    template <typename T>
    bool Field(uint16_t, const bond::Metadata& metadata, const T& field) const
    {
        if constexpr (bond::is_bond_type<T>::value) {
            bond::Apply(*this, field);
        } else if constexpr (bond::is_list_container<T>::value && !std::is_same_v<T, bond::blob>) {
            for (const auto& element : field) {
                bond::Apply(*this, element);
            }
        } else if (HoldsSomething(field)) {
            std::printf(" %s", metadata.name.c_str());
        }
        return false;
    }
};

int main(int argc, char** argv)
{
    using Trel::Security::Vaskor::SecretsPackage;
    bond::OutputBuffer compact;
    bond::CompactBinaryWriter<bond::OutputBuffer> compact_writer(compact);
    bond::Serialize(DemoPackage(), compact_writer);
    bond::CompactBinaryReader<bond::InputBuffer> reader(compact.GetBuffer());
    // The transform takes payload values only, so it is applied to the payload
    // over the reader itself; a bonded<T> could also hold a record in memory.

    using Writer = bond::FastBinaryWriter<bond::OutputBuffer>;
    bond::OutputBuffer fast;
    Writer writer(fast);
    const std::set<std::string> names(argv + 1, argv + argc);
    using Reader = bond::CompactBinaryReader<bond::InputBuffer>;
    bond::Apply(DropFields<Writer>(writer, names), bond::bonded<SecretsPackage, Reader&>(reader));

    SecretsPackage result;
    bond::Deserialize(bond::FastBinaryReader<bond::InputBuffer>(fast.GetBuffer()), result);
    std::printf("left:");
    bond::Apply(PrintPresent(), result);
    std::printf("\n");
    return 0;
}
