// bond::MapTo<T>: reads a payload onto a record of another shape, as a table of
// mappings binds them at run time: each of the payload's fields that the table
// names is read into the field of T its path leads to, through T's nested
// records, or, for a struct, has its own fields mapped by a table of their
// own. A base part's fields are mapped by the table under mapping_base. What
// the table leaves out, and a value the field at its path cannot take (as To
// leaves a value of another type), is passed over.
#pragma once

#include <bond/base/bond_fwd.h>
#include <bond/base/metadata.h>
#include <bond/core/detail/apply_fwd.h>
#include <bond/core/detail/base_of.h>
#include <bond/core/transform_kinds.h>
#include <bond/schema/reflection.h>

#include <cstdint>
#include <map>
#include <vector>

namespace bond {

struct Mapping;

using Mappings = std::map<uint16_t, Mapping>;
using Path = std::vector<uint16_t>;

struct Mapping {
    Path path;
    Mappings fields;
};

// The key under which a table maps the fields of a payload's base part.
inline constexpr uint16_t mapping_base = 0xffff;

namespace detail {

template <typename T, typename Value>
void ReadAtPath(T& object, Path::const_iterator first, Path::const_iterator last, const Value& value);

// Reads `value` into `var`, or into the field that the rest of a path leads to
// from it.
template <typename X, typename Value>
void ReadMapped(X& var, Path::const_iterator first, Path::const_iterator last, const Value& value)
{
    if (first != last) {
        if constexpr (BondStruct<X>) {
            ReadAtPath(var, first, last, value);
        }
    } else if constexpr (!is_bonded<Value>::value) {
        value.Deserialize(var);
    } else if constexpr (BondStruct<X>) {
        value.Deserialize(var);
    }
}

// The field with the path's first id is T's own, or else its base's.
template <typename T, typename Value>
void ReadAtPath(T& object, Path::const_iterator first, Path::const_iterator last, const Value& value)
{
    const bool found = [&]<typename... Fields>(reflection::FieldList<Fields...>) {
        return ((Fields::id == *first && (ReadMapped(Fields::GetVariable(object), first + 1, last, value), true)) ||
                ...);
    }(typename schema_of<T>::fields{});
    if constexpr (HasBase<T>) {
        if (!found) {
            ReadAtPath(static_cast<BaseOf<T>&>(object), first, last, value);
        }
    }
}

}  // namespace detail

template <typename T>
class MapTo : public DeserializingTransform {
public:
    // Reads into `var`; both it and `mappings` must outlive the transform.
    MapTo(T& var, const Mappings& mappings) noexcept : _var(var), _mappings(mappings) {}

    void Begin(const Metadata&) const noexcept {}
    void End() const noexcept {}
    void UnknownEnd() const noexcept {}

    template <typename Part>
    bool Base(const Part& part) const
    {
        const auto mapping = _mappings.find(mapping_base);
        return mapping != _mappings.end() && Apply(MapTo(_var, mapping->second.fields), part);
    }

    template <typename Value>
    bool Field(uint16_t id, const Metadata&, const Value& value) const
    {
        return Map(id, value);
    }

    template <typename Value>
    bool UnknownField(uint16_t id, const Value& value) const
    {
        return Map(id, value);
    }

private:
    template <typename Value>
    bool Map(uint16_t id, const Value& value) const
    {
        const auto mapping = _mappings.find(id);
        if (mapping == _mappings.end()) {
            return false;
        }
        const Mapping& to = mapping->second;
        if constexpr (is_bonded<Value>::value) {
            if (!to.fields.empty()) {
                Apply(MapTo(_var, to.fields), value);
                return false;
            }
        }
        if (!to.path.empty()) {
            detail::ReadAtPath(_var, to.path.begin(), to.path.end(), value);
        }
        return false;
    }

    T& _var;
    const Mappings& _mappings;
};

}  // namespace bond
