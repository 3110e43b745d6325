// Property: whatever the selector and bytes, reading through the run-time schema decodes or throws a std::exception.
// The selector is the first byte: its value modulo 5 picks Compact Binary v1, v2, Fast Binary, Simple Binary v1, v2,
// and when its value divided by 5 is odd, the schema marks ManagedCertsPackage as a nested marshaled payload.
#include "fuzz_support.h"

#include "secrets_package_apply.h"

#include <exception>
#include <memory>

using Trel::Security::Vaskor::SecretsPackage;

namespace {

// The nested payload only changes the layout of untagged protocols; tagged ones
// read it as the plain schema does, which the target checks as well.
bond::RuntimeSchema NestedPayloadSchema()
{
    static const auto schema = [] {
        auto definition = std::make_shared<bond::SchemaDef>(bond::GetRuntimeSchema<SecretsPackage>().GetSchema());
        definition->structs.at(0).fields.at(1).type.bonded_type = true;
        return definition;
    }();
    return bond::RuntimeSchema(schema);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const bool nested = (data[0] / certpluck_fuzz::protocol_count) % 2 == 1;
    const bond::RuntimeSchema schema = nested ? NestedPayloadSchema() : bond::GetRuntimeSchema<SecretsPackage>();
    const std::vector<char> bytes = certpluck_fuzz::ExactCopy(data + 1, size - 1);
    certpluck_fuzz::WithProtocol(data[0], [&](auto protocol) {
        using Reader = typename decltype(protocol)::reader;
        SecretsPackage package;
        try {
            bond::Deserialize(Reader(bond::InputBuffer(certpluck_fuzz::View(bytes)), protocol.version), package,
                              schema);
        } catch (const std::exception&) {
        }
    });
    return 0;
}
