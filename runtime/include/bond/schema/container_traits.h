// What makes a type a list, set, map or string to the runtime, and how the
// runtime fills and walks one. A program makes a type of its own one of these
// by specializing the traits (is_list_container, element_type, enumerator,
// const_enumerator, is_string, ...) in namespace bond and by overloading the
// functions (resize_list, container_size, string_data, ...) there, before the
// runtime's reading and writing code is included (bond/core/bond.h): the
// runtime calls the functions unqualified, so an overload declared after that
// point is seen only for a type in the overload's own namespace.
// bond/core/container_interface.h is the public name of this file.
#pragma once

#include <bond/base/blob.h>
#include <bond/schema/nullable.h>

#include <cstdint>
#include <list>
#include <map>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace bond {

// The library's traits derive from these by their bare names.
using std::false_type;
using std::true_type;

template <typename T>
struct is_list_container : std::false_type {};
template <typename T, typename A>
struct is_list_container<std::vector<T, A>> : std::true_type {};
template <typename T, typename A>
struct is_list_container<std::list<T, A>> : std::true_type {};
template <typename T>
struct is_list_container<nullable<T>> : std::true_type {};
template <>
struct is_list_container<blob> : std::true_type {};

template <typename T>
struct is_set_container : std::false_type {};
template <typename T, typename C, typename A>
struct is_set_container<std::set<T, C, A>> : std::true_type {};

template <typename T>
struct is_map_container : std::false_type {};
template <typename K, typename V, typename C, typename A>
struct is_map_container<std::map<K, V, C, A>> : std::true_type {};

template <typename T>
struct is_container
    : std::bool_constant<is_list_container<T>::value || is_set_container<T>::value || is_map_container<T>::value> {};

// Text: any std::basic_string of char or wchar_t, whatever its traits and
// allocator, and any type a program declares one.
template <typename T>
struct is_string : std::false_type {};
template <typename Traits, typename A>
struct is_string<std::basic_string<char, Traits, A>> : std::true_type {};
template <typename T>
struct is_wstring : std::false_type {};
template <typename Traits, typename A>
struct is_wstring<std::basic_string<wchar_t, Traits, A>> : std::true_type {};

// Set for a list whose elements may be changed only through modify_element
// (as a multi-index container's), which then hands each element to the
// callable it is given.
template <typename T>
struct require_modify_element : std::false_type {};

// The type a container's elements travel as; a map's is a pair of its key
// and value types (the key's may be const).
template <typename T>
struct element_type {
    using type = typename T::value_type;
};

// Walks a container's elements in order, handing out each one to be filled.
template <typename T>
class enumerator {
public:
    explicit enumerator(T& container) : _next(container.begin()), _end(container.end()) {}

    bool more() const { return _next != _end; }
    decltype(auto) next() { return *_next++; }

private:
    decltype(std::declval<T&>().begin()) _next;
    decltype(std::declval<T&>().end()) _end;
};

// Walks a container's elements in order, to be read.
template <typename T>
class const_enumerator {
public:
    explicit const_enumerator(const T& container) : _next(container.begin()), _end(container.end()) {}

    bool more() const { return _next != _end; }
    decltype(auto) next() { return *_next++; }

private:
    decltype(std::declval<const T&>().begin()) _next;
    decltype(std::declval<const T&>().end()) _end;
};

// The functions below serve every container that has the members they use;
// a program overloads them for a type that has not.

template <typename T>
    requires requires(const T& container) { container.size(); }
uint32_t container_size(const T& container)
{
    return static_cast<uint32_t>(container.size());
}

// Makes a list hold `size` elements, each in its default state.
template <typename T>
    requires requires(T& list) { list.resize(uint32_t{}); }
void resize_list(T& list, uint32_t size)
{
    list.clear();
    list.resize(size);
}

template <typename T, typename F>
    requires requires(T& list, typename element_type<T>::type& element, F modify) { modify(element); }
void modify_element(T&, typename element_type<T>::type& element, F modify)
{
    modify(element);
}

namespace detail {

// The standard strings, whatever their allocator, which readers fill and
// writers take directly; strings of one's own go through the functions above.
template <typename T>
struct is_standard_text : std::false_type {};
template <typename Char, typename A>
struct is_standard_text<std::basic_string<Char, std::char_traits<Char>, A>> : std::true_type {};

// A new E for `container`, built with the container's own allocator where E
// takes one (text, containers, records generated with an allocator), so that
// everything a record holds comes from the allocator it was given.
template <typename E, typename T>
E MakeFor(const T& container)
{
    if constexpr (requires { typename T::allocator_type; } && std::is_constructible_v<E, typename T::allocator_type>) {
        return E(container.get_allocator());
    } else {
        return E{};
    }
}

}  // namespace detail

// A new element, key or value for a container, in its default state.
template <typename T>
typename element_type<T>::type make_element(T& container)
{
    return detail::MakeFor<typename element_type<T>::type>(container);
}

template <typename T>
    requires requires { typename T::key_type; }
typename T::key_type make_key(T& map)
{
    return detail::MakeFor<typename T::key_type>(map);
}

template <typename T>
    requires requires { typename T::mapped_type; }
typename T::mapped_type make_value(T& map)
{
    return detail::MakeFor<typename T::mapped_type>(map);
}

template <typename T>
    requires requires(T& set) { set.clear(); }
void clear_set(T& set)
{
    set.clear();
}

template <typename S, typename T>
    requires requires(S& set, const T& item) { set.insert(item); }
void set_insert(S& set, const T& item)
{
    set.insert(item);
}

template <typename T>
    requires requires(T& map) { map.clear(); }
void clear_map(T& map)
{
    map.clear();
}

// The value at `key`, inserted in its default state if there is none.
template <typename M, typename K>
    requires requires(M& map, K&& key) { map[std::forward<K>(key)]; }
decltype(auto) mapped_at(M& map, K&& key)
{
    return map[std::forward<K>(key)];
}

template <typename C, typename Traits, typename A>
const C* string_data(const std::basic_string<C, Traits, A>& text)
{
    return text.data();
}

template <typename C, typename Traits, typename A>
C* string_data(std::basic_string<C, Traits, A>& text)
{
    return text.data();
}

template <typename C, typename Traits, typename A>
uint32_t string_length(const std::basic_string<C, Traits, A>& text)
{
    return static_cast<uint32_t>(text.length());
}

template <typename C, typename Traits, typename A>
void resize_string(std::basic_string<C, Traits, A>& text, uint32_t size)
{
    text.resize(size);
}

}  // namespace bond
