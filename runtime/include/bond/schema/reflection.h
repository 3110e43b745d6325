// Compile-time reflection. Every record type T has a compile-time schema,
// schema<T>::type (the record's nested T::Schema, unless specialized), with
//   using base = bond::no_base;                 (records have no base here)
//   static const bond::Metadata metadata;       (the record's own description)
//   using fields = bond::reflection::FieldList<...>;  (one FieldTemplate per field,
//                                                      in ascending ordinal order)
// and the runtime's generic code walks records only through that interface.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_const.h>
#include <bond/base/bond_fwd.h>
#include <bond/base/detail/boost_interface.h>
#include <bond/base/metadata.h>
#include <bond/schema/container_traits.h>
#include <bond/schema/nullable.h>
#include <bond/schema/scalar_traits.h>
#include <bond/schema/type_name.h>

#include <boost/mpl/list.hpp>

#include <cstdint>
#include <map>
#include <string>
#include <type_traits>

namespace bond {

struct no_base {};

// The default of a field that holds no value until one is set (bond::maybe).
struct nothing_t {};
inline constexpr nothing_t nothing{};

namespace reflection {

struct optional_field_modifier {
    static constexpr Modifier value = Optional;
};
struct required_field_modifier {
    static constexpr Modifier value = Required;
};
struct required_optional_field_modifier {
    static constexpr Modifier value = RequiredOptional;
};

// Describes one field: its ordinal, modifier, type, the member that holds it and
// its static metadata.
template <uint16_t Id, typename ModifierTag, typename Struct, typename FieldType, FieldType Struct::* Member,
          const Metadata* MetadataPtr>
struct FieldTemplate {
    static constexpr uint16_t id = Id;
    using field_modifier = ModifierTag;
    using struct_type = Struct;
    using field_type = FieldType;
    using value_type = FieldType;

    static constexpr const Metadata& metadata = *MetadataPtr;
    static FieldType& GetVariable(Struct& object) noexcept { return object.*Member; }
    static const FieldType& GetVariable(const Struct& object) noexcept { return object.*Member; }
};

// A record's fields, in ascending ordinal order. It is a Boost.MPL list as
// well, as the library's manual promises programs that walk a schema's fields
// with boost::mpl (size, for_each and the like); the runtime itself takes the
// fields from the pack.
template <typename... Fields>
struct FieldList : boost::mpl::list<Fields...> {};

namespace detail {
template <typename MemberPointer>
struct member_pointer_traits;
template <typename Struct, typename Field>
struct member_pointer_traits<Field Struct::*> {
    using struct_type = Struct;
    using field_type = Field;
};
}  // namespace detail

// An optional field, described by its ordinal, its member and its metadata.
template <uint16_t Id, auto Member, const Metadata* MetadataPtr>
using OptionalField =
    FieldTemplate<Id, optional_field_modifier, typename detail::member_pointer_traits<decltype(Member)>::struct_type,
                  typename detail::member_pointer_traits<decltype(Member)>::field_type, Member, MetadataPtr>;

// A record's or a field's attributes, by name.
using Attributes = std::map<std::string, std::string>;

// The metadata of a record.
inline Metadata MetadataInit(const char* name, const char* qualified_name, const Attributes& attributes = {})
{
    Metadata metadata;
    metadata.name = name;
    metadata.qualified_name = qualified_name;
    metadata.attributes = attributes;
    return metadata;
}

// The metadata of a generic record, named after its arguments as a run-time
// schema names types: "Pair<int32, ns.Point>".
template <typename Params>
Metadata MetadataInit(const char* name, const char* qualified_name, const Attributes& attributes)
{
    const std::string arguments = bond::detail::TypeArgumentNames<Params>();
    return MetadataInit((name + arguments).c_str(), (qualified_name + arguments).c_str(), attributes);
}

// The metadata of a field whose default is its type's zero or empty value.
inline Metadata MetadataInit(const char* name, Modifier modifier = Optional, const Attributes& attributes = {})
{
    Metadata metadata;
    metadata.name = name;
    metadata.modifier = modifier;
    metadata.attributes = attributes;
    return metadata;
}

namespace detail {

inline void SetDefault(Variant& variant, const nothing_t&)
{
    variant.nothing = true;
}
inline void SetDefault(Variant& variant, const std::string& value)
{
    variant.string_value = value;
}
inline void SetDefault(Variant& variant, const std::wstring& value)
{
    variant.wstring_value = value;
}
template <typename T>
    requires std::is_arithmetic_v<T> || std::is_enum_v<T>
void SetDefault(Variant& variant, T value)
{
    if constexpr (std::is_floating_point_v<T>) {
        variant.double_value = value;
    } else if constexpr (std::is_enum_v<T> || std::is_signed_v<T>) {
        variant.int_value = static_cast<int64_t>(value);
    } else {
        variant.uint_value = value;
    }
}

}  // namespace detail

// The metadata of a field with a default written in the schema: a number, an
// enumeration constant, a bool, text (as std::string or std::wstring, so that
// it is not taken for a record's name), or bond::nothing.
template <typename T>
Metadata MetadataInit(const T& default_value, const char* name, Modifier modifier = Optional,
                      const Attributes& attributes = {})
{
    Metadata metadata = MetadataInit(name, modifier, attributes);
    detail::SetDefault(metadata.default_value, default_value);
    return metadata;
}

}  // namespace reflection

// The compile-time schema of a record type: its nested Schema, or what a
// specialization gives for a type that has none (std::tuple, see tuple.h).
// For any other type there is no `type`.
template <typename T, typename Enable = void>
struct schema {};
template <typename T>
struct schema<T, std::void_t<typename T::Schema>> {
    using type = typename T::Schema;
};

template <typename T>
using schema_of = typename schema<T>::type;

// A record type: one with a compile-time schema.
template <typename T>
concept BondStruct = requires { typename schema<T>::type::fields; };

template <typename T>
struct has_schema : std::bool_constant<BondStruct<T>> {};

namespace detail {

template <typename T>
struct is_nullable : std::false_type {};
template <typename T>
struct is_nullable<nullable<T>> : std::true_type {};

// The parts of a container, as its traits give them.
template <typename T>
using element_of = typename element_type<T>::type;
template <typename T>
using key_of = std::remove_const_t<typename element_of<T>::first_type>;
template <typename T>
using mapped_of = typename element_of<T>::second_type;

template <typename T>
constexpr BondDataType TypeIdOf()
{
    if constexpr (is_type_alias<T>::value)
        return TypeIdOf<typename aliased_type<T>::type>();
    else if constexpr (std::is_same_v<T, bool>)
        return BT_BOOL;
    else if constexpr (std::is_same_v<T, uint8_t>)
        return BT_UINT8;
    else if constexpr (std::is_same_v<T, uint16_t>)
        return BT_UINT16;
    else if constexpr (std::is_same_v<T, uint32_t>)
        return BT_UINT32;
    else if constexpr (std::is_same_v<T, uint64_t>)
        return BT_UINT64;
    else if constexpr (std::is_same_v<T, int8_t>)
        return BT_INT8;
    else if constexpr (std::is_same_v<T, int16_t>)
        return BT_INT16;
    else if constexpr (std::is_same_v<T, int32_t> || std::is_enum_v<T>)
        return BT_INT32;
    else if constexpr (std::is_same_v<T, int64_t>)
        return BT_INT64;
    else if constexpr (std::is_same_v<T, float>)
        return BT_FLOAT;
    else if constexpr (std::is_same_v<T, double>)
        return BT_DOUBLE;
    else if constexpr (is_string<T>::value)
        return BT_STRING;
    else if constexpr (is_wstring<T>::value)
        return BT_WSTRING;
    else if constexpr (is_list_container<T>::value)
        return BT_LIST;
    else if constexpr (is_set_container<T>::value)
        return BT_SET;
    else if constexpr (is_map_container<T>::value)
        return BT_MAP;
    else if constexpr (BondStruct<T> || is_bonded<T>::value)
        return BT_STRUCT;
    else
        static_assert(sizeof(T) == 0, "type has no wire representation");
}

}  // namespace detail

// The type code under which a value of type T travels, as `value`.
template <typename T>
struct get_type_id : std::integral_constant<BondDataType, detail::TypeIdOf<T>()> {};

// The library's traits over the types of fields.
template <typename T>
struct is_bond_type : std::bool_constant<has_schema<std::remove_const_t<T>>::value || is_bonded<T>::value> {};

// A value that is neither a record nor a container: a number, a bool, an
// enumeration, text or a scalar of one's own.
template <typename T>
struct is_basic_type : std::bool_constant<std::is_arithmetic_v<T> || std::is_enum_v<T> || is_string<T>::value ||
                                          is_wstring<T>::value || is_type_alias<T>::value> {};

// The type code of a value in memory.
template <typename T>
BondDataType GetTypeId(const T&) noexcept
{
    return get_type_id<T>::value;
}

}  // namespace bond
