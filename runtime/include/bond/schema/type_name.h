// The names a run-time schema gives types ("int32", "vector<string>",
// "map<string, ns.Record>", "nullable<bonded<ns.Record>>"), which name a
// generic record after its arguments: a record is named by its qualified
// name, an enumeration by its own.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_fwd.h>
#include <bond/base/metadata.h>
#include <bond/schema/container_traits.h>
#include <bond/schema/scalar_traits.h>

#include <boost/mpl/for_each.hpp>
#include <boost/mpl/list.hpp>

#include <cstdint>
#include <list>
#include <map>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

namespace bond {

template <typename T>
class nullable;
template <typename T>
class maybe;

namespace detail {

template <typename T>
std::string TypeName();
template <typename... Args>
std::string Template(const char* name);

// Types of one's own are named by what they travel as.
template <typename T>
struct TypeNameOf {
    static std::string Get()
    {
        if constexpr (is_type_alias<T>::value) {
            return TypeName<typename aliased_type<T>::type>();
        } else if constexpr (is_string<T>::value) {
            return "string";
        } else if constexpr (is_wstring<T>::value) {
            return "wstring";
        } else if constexpr (is_list_container<T>::value) {
            return Template<typename element_type<T>::type>("list");
        } else if constexpr (is_set_container<T>::value) {
            return Template<typename element_type<T>::type>("set");
        } else if constexpr (is_map_container<T>::value) {
            using Pair = typename element_type<T>::type;
            return Template<std::remove_const_t<typename Pair::first_type>, typename Pair::second_type>("map");
        } else if constexpr (std::is_enum_v<T>) {
            return GetTypeName(T{}, qualified_name);
        } else {
            return T::Schema::GetMetadata().qualified_name;
        }
    }
};

template <typename T>
std::string TypeName()
{
    return TypeNameOf<T>::Get();
}

#define BOND_DETAIL_TYPE_NAME(TYPE, NAME)                                                                              \
    template <>                                                                                                        \
    struct TypeNameOf<TYPE> {                                                                                          \
        static std::string Get()                                                                                       \
        {                                                                                                              \
            return NAME;                                                                                               \
        }                                                                                                              \
    };

BOND_DETAIL_TYPE_NAME(bool, "bool")
BOND_DETAIL_TYPE_NAME(int8_t, "int8")
BOND_DETAIL_TYPE_NAME(int16_t, "int16")
BOND_DETAIL_TYPE_NAME(int32_t, "int32")
BOND_DETAIL_TYPE_NAME(int64_t, "int64")
BOND_DETAIL_TYPE_NAME(uint8_t, "uint8")
BOND_DETAIL_TYPE_NAME(uint16_t, "uint16")
BOND_DETAIL_TYPE_NAME(uint32_t, "uint32")
BOND_DETAIL_TYPE_NAME(uint64_t, "uint64")
BOND_DETAIL_TYPE_NAME(float, "float")
BOND_DETAIL_TYPE_NAME(double, "double")
BOND_DETAIL_TYPE_NAME(blob, "blob")
#undef BOND_DETAIL_TYPE_NAME

// A container's name and its arguments' names, as "map<K, V>".
template <typename... Args>
std::string Template(const char* name)
{
    std::string text = name;
    const char* separator = "<";
    ((text += separator, text += TypeName<Args>(), separator = ", "), ...);
    return text + ">";
}

template <typename T, typename A>
struct TypeNameOf<std::vector<T, A>> {
    static std::string Get() { return Template<T>("vector"); }
};
template <typename T, typename A>
struct TypeNameOf<std::list<T, A>> {
    static std::string Get() { return Template<T>("list"); }
};
template <typename T, typename C, typename A>
struct TypeNameOf<std::set<T, C, A>> {
    static std::string Get() { return Template<T>("set"); }
};
template <typename K, typename V, typename C, typename A>
struct TypeNameOf<std::map<K, V, C, A>> {
    static std::string Get() { return Template<K, V>("map"); }
};
template <typename T>
struct TypeNameOf<nullable<T>> {
    static std::string Get() { return Template<T>("nullable"); }
};
template <typename T, typename Reader>
struct TypeNameOf<bonded<T, Reader>> {
    static std::string Get() { return Template<T>("bonded"); }
};
// A field that may hold nothing is named by the type it holds.
template <typename T>
struct TypeNameOf<maybe<T>> {
    static std::string Get() { return TypeName<T>(); }
};

// "<A, B>" for a generic record's arguments, given as a Boost.MPL list.
template <typename Params>
std::string TypeArgumentNames()
{
    std::string text;
    boost::mpl::for_each<Params, std::add_pointer<boost::mpl::_1>>([&text](auto* argument) {
        text += text.empty() ? "<" : ", ";
        text += TypeName<std::remove_pointer_t<decltype(argument)>>();
    });
    return text + ">";
}

}  // namespace detail
}  // namespace bond
