// The elements a container gets as it is read: built with the container's own
// allocator where they take one (text, containers, records generated with an
// allocator), so that everything a record holds comes from the allocator it
// was given, as the library builds them.
#pragma once

#include <bond/base/exception.h>

#include <memory>
#include <scoped_allocator>
#include <type_traits>

namespace bond::detail {

template <typename A>
struct is_scoped_allocator : std::false_type {};
template <typename Outer, typename... Inner>
struct is_scoped_allocator<std::scoped_allocator_adaptor<Outer, Inner...>> : std::true_type {};

// Appends a new element to a sequence and returns it. A scoped allocator
// hands itself to the element as it builds it, so it is given nothing.
template <typename Container>
typename Container::value_type& EmplaceElement(Container& container)
{
    using A = typename Container::allocator_type;
    if constexpr (!is_scoped_allocator<A>::value && std::is_constructible_v<typename Container::value_type, A>) {
        return container.emplace_back(container.get_allocator());
    } else {
        return container.emplace_back();
    }
}

// Whether a T can be made without an allocator to give it: anything but a
// record (or container) whose allocator has no default.
template <typename T>
constexpr bool made_without_allocator = true;
template <typename T>
    requires requires { typename T::allocator_type; }
constexpr bool made_without_allocator<T> = std::is_default_constructible_v<typename T::allocator_type>;

// Calls `use` with a new T that a walk reads into and writes from; throws
// CoreException for a T that cannot be made without an allocator.
template <typename T, typename Use>
std::invoke_result_t<Use, T&> WithNewRecord(Use&& use)
{
    if constexpr (made_without_allocator<T>) {
        T record;
        return use(record);
    } else {
        ThrowRecordNeedsAllocator();
    }
}

}  // namespace bond::detail
