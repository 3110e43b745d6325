// The conversions between an enumeration's constants and their names that a
// schema module defines for each enumeration (ToString, FromString, ToEnum,
// FromEnum), over the name tables its generated header gives
// (GetValueToNameMap, GetNameToValueMap, found by argument-dependent lookup).
// Where two constants share a value, the value's name is the first declared.
#pragma once

#include <bond/base/exception.h>

#include <string>
#include <unordered_map>

namespace bond::detail {

// The two hash tables, built on the first conversion that needs them, never
// at start-up.
template <typename Enum>
const std::unordered_map<Enum, std::string>& NamesByValue()
{
    return GetValueToNameMap<std::unordered_map<Enum, std::string>>(Enum{});
}

template <typename Enum>
const std::unordered_map<std::string, Enum>& ValuesByName()
{
    return GetNameToValueMap<std::unordered_map<std::string, Enum>>(Enum{});
}

// The name of a constant. Throws bond::CoreException for any other value.
template <typename Enum>
const std::string& EnumToString(Enum value)
{
    const auto found = NamesByValue<Enum>().find(value);
    if (found == NamesByValue<Enum>().end()) {
        ThrowUnexpectedEnumValue(std::to_string(static_cast<int32_t>(value)), GetTypeName(value));
    }
    return found->second;
}

// Sets `value` to the constant named exactly `name`; false, leaving `value` as
// it was, when no constant has that name.
template <typename Enum>
bool EnumToEnum(Enum& value, const std::string& name)
{
    const auto found = ValuesByName<Enum>().find(name);
    if (found == ValuesByName<Enum>().end()) {
        return false;
    }
    value = found->second;
    return true;
}

// As EnumToEnum, but throws bond::CoreException when no constant has that name.
template <typename Enum>
void EnumFromString(const std::string& name, Enum& value)
{
    if (!EnumToEnum(value, name)) {
        // The name is reported as a C string would show it: up to its first NUL.
        ThrowUnexpectedEnumValue(name.c_str(), GetTypeName(value));
    }
}

// Sets `name` to the name of the constant `value`; false, leaving `name` as
// it was, for any other value.
template <typename Enum>
bool EnumFromEnum(std::string& name, Enum value)
{
    const auto found = NamesByValue<Enum>().find(value);
    if (found == NamesByValue<Enum>().end()) {
        return false;
    }
    name = found->second;
    return true;
}

}  // namespace bond::detail
