// The library's own small records (bond.Void, bond.GUID, bond.Box<T>), which a
// schema may use after importing bond/core/bond.bond, with the reflection the
// schema compiler would give them.
#pragma once

#include <bond/base/metadata.h>
#include <bond/schema/reflection.h>

#include <boost/mpl/list.hpp>

#include <cstdint>

namespace bond {

struct Void {
    struct Schema;
    bool operator==(const Void&) const = default;
};

struct GUID {
    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    uint64_t Data4 = 0;

    struct Schema;
    bool operator==(const GUID&) const = default;
};

template <typename T>
struct Box {
    T value{};

    struct Schema;
    bool operator==(const Box&) const = default;
};

struct Void::Schema {
    using base = no_base;
    static const Metadata metadata;
    struct var {};
    using fields = reflection::FieldList<>;
};

struct GUID::Schema {
    using base = no_base;
    static const Metadata metadata;
    static const Metadata s_Data1_metadata, s_Data2_metadata, s_Data3_metadata, s_Data4_metadata;
    struct var {
        using Data1 = reflection::OptionalField<0, &GUID::Data1, &s_Data1_metadata>;
        using Data2 = reflection::OptionalField<1, &GUID::Data2, &s_Data2_metadata>;
        using Data3 = reflection::OptionalField<2, &GUID::Data3, &s_Data3_metadata>;
        using Data4 = reflection::OptionalField<3, &GUID::Data4, &s_Data4_metadata>;
    };
    using fields = reflection::FieldList<var::Data1, var::Data2, var::Data3, var::Data4>;
};

template <typename T>
struct Box<T>::Schema {
    using base = no_base;
    // A generic record is named after its argument: Box<int32>, bond.Box<int32>.
    inline static const Metadata metadata = reflection::MetadataInit<boost::mpl::list<T>>("Box", "bond.Box", {});
    inline static const Metadata s_value_metadata = reflection::MetadataInit("value");
    struct var {
        using value = reflection::OptionalField<0, &Box<T>::value, &s_value_metadata>;
    };
    using fields = reflection::FieldList<typename var::value>;
};

}  // namespace bond
