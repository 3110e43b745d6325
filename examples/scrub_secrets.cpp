// scrub_secrets: a modifying transform. Before a package is logged or handed
// to a store that must not see key material, every blob field other than the
// certificate bundles, which are public, is emptied at any depth, and what was
// emptied is reported.
//
//     scrub_secrets             scrubs a demonstration package and prints what
//                               it emptied
#include "demo_package.h"

#include <bond/core/bond.h>
#include <secrets_package_apply.h>

#include <cstdio>
#include <string>
#include <type_traits>

namespace {

class Scrub : public bond::ModifyingTransform {
public:
    explicit Scrub(std::string path = "") : _path(std::move(path)) {}

    void Begin(const bond::Metadata& metadata) const
    {
        if (_path.empty()) {
            _path = metadata.name;
        }
    }
    void End() const {}
    void UnknownEnd() const {}

    template <typename T>
    bool Base(T& base) const
    {
        return bond::Apply(Scrub(_path), base);
    }

    template <typename T>
    bool Field(uint16_t, const bond::Metadata& metadata, T& field) const
    {
        const std::string path = _path + "." + metadata.name;
        if constexpr (bond::is_bond_type<T>::value) {
            bond::Apply(Scrub(path), field);
        } else if constexpr (std::is_same_v<T, bond::blob>) {
            // The bundles hold certificates, which are public.
            if (!field.empty() && metadata.name != "UnmanagedCertsData" && metadata.name != "CertsData") {
                std::printf("emptied %s (%u bytes)\n", path.c_str(), field.size());
                field.clear();
            }
        } else if constexpr (bond::is_list_container<T>::value) {
            for (size_t i = 0; i < field.size(); ++i) {
                bond::Apply(Scrub(path + "[" + std::to_string(i) + "]"), field[i]);
            }
        }
        return false;
    }

private:
    mutable std::string _path;
};

}  // namespace

int main()
{
    Trel::Security::Vaskor::SecretsPackage package = DemoPackage();
    bond::Apply(Scrub(), package);
    std::printf("kept UnmanagedCertsData (%u bytes) and CertsData (%u bytes)\n", package.UnmanagedCertsData.size(),
                package.ManagedCertsPackage.CertsData.size());
    return 0;
}
