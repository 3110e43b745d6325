// Types of one's own, which the runtime knows only through the traits and
// functions a program gives it: none has the members of a standard
// container or string, so nothing reaches them but those.
#pragma once

#include <bond/core/container_interface.h>
#include <bond/core/scalar_interface.h>

#include <cstdint>
#include <string>
#include <vector>

namespace own {

// A list with members of its own names.
template <typename T>
class Row {
public:
    using Item = T;

    Row() = default;
    Row(std::initializer_list<T> items) : _items(items) {}

    uint32_t Count() const { return static_cast<uint32_t>(_items.size()); }
    void SetCount(uint32_t count) { _items.assign(count, T{}); }
    T* First() { return _items.data(); }
    const T* First() const { return _items.data(); }

    bool operator==(const Row&) const = default;

private:
    std::vector<T> _items;
};

// A point in time, which travels as its tick count.
class Stamp {
public:
    Stamp() = default;
    explicit Stamp(int64_t ticks) : _ticks(ticks) {}
    int64_t Ticks() const { return _ticks; }
    bool operator==(const Stamp&) const = default;

private:
    int64_t _ticks = 0;
};

// Text with members of its own names.
class Label {
public:
    Label() = default;
    explicit Label(std::string text) : _text(std::move(text)) {}
    std::string& Text() { return _text; }
    const std::string& Text() const { return _text; }
    bool operator==(const Label&) const = default;

private:
    std::string _text;
};

}  // namespace own

namespace bond {

template <typename T>
struct is_list_container<own::Row<T>> : true_type {};
template <typename T>
struct element_type<own::Row<T>> {
    using type = T;
};

template <typename T>
class enumerator<own::Row<T>> {
public:
    explicit enumerator(own::Row<T>& row) : _next(row.First()), _end(row.First() + row.Count()) {}
    bool more() const { return _next != _end; }
    T& next() { return *_next++; }

private:
    T* _next;
    T* _end;
};

template <typename T>
class const_enumerator<own::Row<T>> {
public:
    explicit const_enumerator(const own::Row<T>& row) : _next(row.First()), _end(row.First() + row.Count()) {}
    bool more() const { return _next != _end; }
    const T& next() { return *_next++; }

private:
    const T* _next;
    const T* _end;
};

template <typename T>
uint32_t container_size(const own::Row<T>& row)
{
    return row.Count();
}

template <typename T>
void resize_list(own::Row<T>& row, uint32_t size)
{
    row.SetCount(size);
}

template <>
struct aliased_type<own::Stamp> {
    using type = int64_t;
};

template <>
struct is_string<own::Label> : true_type {};

inline const char* string_data(const own::Label& label)
{
    return label.Text().data();
}
inline char* string_data(own::Label& label)
{
    return label.Text().data();
}
inline uint32_t string_length(const own::Label& label)
{
    return static_cast<uint32_t>(label.Text().size());
}
inline void resize_string(own::Label& label, uint32_t size)
{
    label.Text().resize(size);
}

}  // namespace bond

// Declared where a program may declare them: in the global namespace.
inline void set_aliased_value(own::Stamp& stamp, int64_t ticks)
{
    stamp = own::Stamp(ticks);
}
inline int64_t get_aliased_value(const own::Stamp& stamp)
{
    return stamp.Ticks();
}
