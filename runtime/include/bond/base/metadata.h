// Descriptions of records and fields that the schema module builds once, before
// main, and that never change afterwards.
#pragma once

#include <bond/base/bond_const.h>

#include <cstdint>
#include <map>
#include <string>

namespace bond {

// A field's default value. Which part applies depends on the field's type:
// unsigned integers use uint_value, signed integers and enumerations int_value,
// floating-point numbers double_value, text the string parts. `nothing` marks a
// field whose default is to hold no value at all.
struct Variant {
    uint64_t uint_value = 0;
    int64_t int_value = 0;
    double double_value = 0.0;
    std::string string_value;
    std::wstring wstring_value;
    bool nothing = false;

    struct Schema;
    bool operator==(const Variant&) const = default;
};

struct Metadata {
    std::string name;
    std::string qualified_name;  // records only, with dots: "Ns.Sub.Name"
    std::map<std::string, std::string> attributes;
    Modifier modifier = Optional;
    Variant default_value;

    struct Schema;
    bool operator==(const Metadata&) const = default;
};

// Selects the dotted, namespace-qualified form of a name.
struct qualified_name_tag {};
inline constexpr qualified_name_tag qualified_name{};

}  // namespace bond
