// A std::tuple is a record too: its items are its fields, with the ordinals of
// std::get and the names item0, item1, ..., every one optional. The record is
// named "tuple<" and its item types, as a schema names them, joined by ", ",
// then ">" (its qualified name in namespace bond). An item of std::ignore's
// type is no field but keeps its ordinal.
//
// Pack(writer, args...) writes its arguments as such a record; Unpack(reader,
// vars...) reads one into its variables, passing over fields it has no
// variable for, and any at a std::ignore.
#pragma once

#include <bond/core/bond.h>

#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace bond {

namespace detail {

template <typename T>
std::string SchemaTypeName()
{
    if constexpr (is_type_alias<T>::value)
        return SchemaTypeName<typename aliased_type<T>::type>();
    else if constexpr (std::is_same_v<T, bool>)
        return "bool";
    else if constexpr (std::is_same_v<T, uint8_t>)
        return "uint8";
    else if constexpr (std::is_same_v<T, uint16_t>)
        return "uint16";
    else if constexpr (std::is_same_v<T, uint32_t>)
        return "uint32";
    else if constexpr (std::is_same_v<T, uint64_t>)
        return "uint64";
    else if constexpr (std::is_same_v<T, int8_t>)
        return "int8";
    else if constexpr (std::is_same_v<T, int16_t>)
        return "int16";
    else if constexpr (std::is_same_v<T, int32_t>)
        return "int32";
    else if constexpr (std::is_same_v<T, int64_t>)
        return "int64";
    else if constexpr (std::is_same_v<T, float>)
        return "float";
    else if constexpr (std::is_same_v<T, double>)
        return "double";
    else if constexpr (is_string<T>::value)
        return "string";
    else if constexpr (is_wstring<T>::value)
        return "wstring";
    else if constexpr (std::is_same_v<T, blob>)
        return "blob";
    else if constexpr (std::is_enum_v<T>)
        return GetTypeName(T{}, qualified_name);
    else if constexpr (requires { schema_of<T>::GetMetadata(); })
        // A tuple's metadata object may be built before the record's (both are
        // built before main, in no set order), so the name comes from the
        // function that builds the record's.
        return schema_of<T>::GetMetadata().qualified_name;
    else if constexpr (BondStruct<T>)
        return schema_of<T>::metadata.qualified_name;
    else if constexpr (is_bonded<T>::value)
        return "bonded<" + SchemaTypeName<typename T::value_type>() + ">";
    else if constexpr (is_map_container<T>::value)
        return "map<" + SchemaTypeName<key_of<T>>() + ", " + SchemaTypeName<mapped_of<T>>() + ">";
    else if constexpr (is_set_container<T>::value)
        return "set<" + SchemaTypeName<element_of<T>>() + ">";
    else
        return "list<" + SchemaTypeName<element_of<T>>() + ">";
}

template <typename Item>
inline constexpr bool is_ignored_item =
    std::is_same_v<std::remove_cvref_t<Item>, std::remove_cvref_t<decltype(std::ignore)>>;

// The field of a tuple's item at ordinal Id, of type Item (which may be a
// reference, as in Pack's and Unpack's tuples).
template <typename Tuple, uint16_t Id, typename Item>
struct TupleField {
    using struct_type = Tuple;
    using field_type = std::remove_cvref_t<Item>;
    using value_type = field_type;
    using field_modifier = reflection::optional_field_modifier;
    static constexpr uint16_t id = Id;
    inline static const Metadata metadata = reflection::MetadataInit(("item" + std::to_string(Id)).c_str());

    static decltype(auto) GetVariable(Tuple& tuple) noexcept { return std::get<Id>(tuple); }
    static decltype(auto) GetVariable(const Tuple& tuple) noexcept { return std::get<Id>(tuple); }
};

template <typename... First, typename... Second>
reflection::FieldList<First..., Second...> JoinFields(reflection::FieldList<First...>,
                                                      reflection::FieldList<Second...>);

template <typename Tuple, typename Indices>
struct TupleFields;
template <typename... Items, size_t... Ids>
struct TupleFields<std::tuple<Items...>, std::index_sequence<Ids...>> {
    using Tuple = std::tuple<Items...>;
    template <size_t Id, typename Item>
    using FieldOf = std::conditional_t<is_ignored_item<Item>, reflection::FieldList<>,
                                       reflection::FieldList<TupleField<Tuple, static_cast<uint16_t>(Id), Item>>>;

    template <typename... Lists>
    struct Join {
        using type = reflection::FieldList<>;
    };
    template <typename List, typename... Rest>
    struct Join<List, Rest...> {
        using type = decltype(JoinFields(List{}, typename Join<Rest...>::type{}));
    };

    using type = typename Join<FieldOf<Ids, Items>...>::type;
};

template <typename... Items>
Metadata TupleMetadata()
{
    std::string parameters;
    const auto add = [&]<typename Item>() {
        if constexpr (!is_ignored_item<Item>) {
            parameters += (parameters.empty() ? "" : ", ") + SchemaTypeName<std::remove_cvref_t<Item>>();
        }
    };
    (add.template operator()<Items>(), ...);
    return reflection::MetadataInit(("tuple<" + parameters + ">").c_str(), ("bond.tuple<" + parameters + ">").c_str());
}

}  // namespace detail

template <typename... Items>
struct schema<std::tuple<Items...>> {
    struct type {
        using base = no_base;
        using fields = typename detail::TupleFields<std::tuple<Items...>, std::index_sequence_for<Items...>>::type;
        inline static const Metadata metadata = detail::TupleMetadata<Items...>();
    };
};

// Writes `args` as one record (a tuple of them) with `writer`.
template <ProtocolList Protocols = BuiltInProtocols, typename Writer, typename... T>
void Pack(Writer& writer, T&&... args)
{
    Serialize<Protocols>(std::forward_as_tuple(args...), writer);
}

// Reads one record from `reader` into `vars`, item by item, which must be in
// their default state.
template <ProtocolList Protocols = BuiltInProtocols, typename Reader, typename... T>
void Unpack(Reader reader, T&... vars)
{
    auto pack = std::tie(vars...);
    Deserialize<Protocols>(reader, pack);
}

}  // namespace bond
