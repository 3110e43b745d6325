#include "compiler/checks.h"

#include "compiler/type_queries.h"

#include <fmt/format.h>

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace certpluck::gbc {
namespace {

struct IntegerRange {
    TypeKind kind;
    uint64_t max_negative;  // the magnitude of the least value
    uint64_t max_positive;
};

constexpr IntegerRange integer_ranges[] = {
    {TypeKind::int8, 128, 127},
    {TypeKind::int16, 32768, 32767},
    {TypeKind::int32, uint64_t{1} << 31, (uint64_t{1} << 31) - 1},
    {TypeKind::int64, uint64_t{1} << 63, (uint64_t{1} << 63) - 1},
    {TypeKind::uint8, 0, 255},
    {TypeKind::uint16, 0, 65535},
    {TypeKind::uint32, 0, std::numeric_limits<uint32_t>::max()},
    {TypeKind::uint64, 0, std::numeric_limits<uint64_t>::max()},
};

// Whether the default suits the field's type; reports why not.
void CheckDefault(const Field& field, Diagnostics& diagnostics)
{
    const Default& value = *field.default_value;
    const Type& type = SeeThroughAliases(field.type);
    if (type.kind == TypeKind::parameter) {
        return;
    }

    const auto range = std::find_if(std::begin(integer_ranges), std::end(integer_ranges),
                                    [&](const IntegerRange& one) { return one.kind == type.kind; });
    bool suits = false;
    switch (value.kind) {
    case DefaultKind::integer:
        if (range != std::end(integer_ranges)) {
            const uint64_t limit = value.integer.negative ? range->max_negative : range->max_positive;
            if ((value.integer.magnitude > limit && value.integer.magnitude != 0) ||
                !value.integer.beyond_64_bits.empty()) {
                diagnostics.Error(value.position, fmt::format("default value {} is out of the range of field '{}'",
                                                              DecimalText(value.integer), field.name));
                return;
            }
            suits = true;
        }
        suits = suits || type.kind == TypeKind::float32 || type.kind == TypeKind::float64;
        break;
    case DefaultKind::floating: suits = type.kind == TypeKind::float32 || type.kind == TypeKind::float64; break;
    case DefaultKind::boolean: suits = type.kind == TypeKind::boolean; break;
    case DefaultKind::string: suits = type.kind == TypeKind::string || type.kind == TypeKind::wstring; break;
    case DefaultKind::enumeration:
        if (const Declaration* enumeration = EnumOf(type)) {
            const auto& constants = enumeration->constants;
            if (std::none_of(constants.begin(), constants.end(),
                             [&](const Constant& constant) { return constant.name == value.text; })) {
                diagnostics.Error(value.position,
                                  fmt::format("'{}' is not a constant of enum '{}'", value.text, enumeration->name));
                return;
            }
            suits = true;
        }
        break;
    case DefaultKind::nothing: suits = true; break;
    }
    if (!suits) {
        diagnostics.Error(value.position,
                          fmt::format("the default value does not suit the type of field '{}'", field.name));
    }
}

template <typename Item, typename Key>
void CheckUnique(const std::vector<Item>& items, Key key, std::string_view what, Diagnostics& diagnostics)
{
    std::unordered_map<std::string, const Item*> seen;
    for (const Item& item : items) {
        const auto [earlier, inserted] = seen.emplace(key(item), &item);
        if (!inserted) {
            diagnostics.Error(item.position, fmt::format("duplicate {} {}", what, key(item)));
            diagnostics.Note(earlier->second->position, "the earlier one is here");
        }
    }
}

}  // namespace

void CheckFields(Declaration& structure, Diagnostics& diagnostics)
{
    CheckUnique(
        structure.fields, [](const Field& field) { return std::to_string(field.ordinal); }, "field ordinal",
        diagnostics);
    CheckUnique(
        structure.fields, [](const Field& field) { return fmt::format("'{}'", field.name); }, "field name",
        diagnostics);
    for (Field& field : structure.fields) {
        if (!IsResolved(field.type)) {
            continue;
        }
        // A struct held by value must be complete: one only declared so far
        // could hold the holder in turn, and be of no finite size.
        if (const Declaration* held = ForwardStructOf(field.type); held != nullptr && SameName(*held, structure)) {
            diagnostics.Error(field.type.position,
                              fmt::format("struct '{}' cannot hold itself by value; use nullable<{}>", structure.name,
                                          structure.name));
        } else if (held != nullptr) {
            diagnostics.Error(field.type.position,
                              fmt::format("struct '{}' is not defined yet: until it is, a field can hold it only in "
                                          "nullable<>, bonded<> or a container",
                                          held->name));
        }
        if (field.default_value && field.default_value->kind == DefaultKind::nothing) {
            if (IsStruct(field.type)) {
                diagnostics.Error(
                    field.default_value->position,
                    fmt::format("field '{}' holds a struct, which cannot default to 'nothing'", field.name));
                continue;
            }
            Type maybe;
            maybe.kind = TypeKind::maybe;
            maybe.position = field.type.position;
            maybe.arguments.push_back(std::move(field.type));
            field.type = std::move(maybe);
        } else if (!field.default_value && EnumOf(field.type) != nullptr) {
            diagnostics.Error(
                field.name_position,
                fmt::format("enum field '{}' needs a default: one of the enum's constants, or 'nothing'", field.name));
        } else if (field.default_value) {
            CheckDefault(field, diagnostics);
        }
    }

    std::stable_sort(structure.fields.begin(), structure.fields.end(),
                     [](const Field& left, const Field& right) { return left.ordinal < right.ordinal; });
}

void CheckBase(const Declaration& structure, Diagnostics& diagnostics)
{
    const Type& base = *structure.base;
    if (!IsResolved(base)) {
        return;
    }
    const Declaration* forward = ForwardStructOf(base);
    if (forward != nullptr && SameName(*forward, structure)) {
        diagnostics.Error(base.position, fmt::format("struct '{}' cannot be its own base", structure.name));
    } else if (forward != nullptr) {
        diagnostics.Error(base.position,
                          fmt::format("struct '{}' must be defined before it can be a base", forward->name));
    } else if (!IsStruct(base) && !IsParameter(base)) {
        diagnostics.Error(base.position, "a struct's base must be a struct");
    }
}

void CheckEnum(const Declaration& enumeration, Diagnostics& diagnostics)
{
    CheckUnique(
        enumeration.constants, [](const Constant& constant) { return fmt::format("'{}'", constant.name); },
        "enum constant", diagnostics);
}

void CheckMethods(const Declaration& service, Diagnostics& diagnostics)
{
    CheckUnique(
        service.methods, [](const Method& method) { return fmt::format("'{}'", method.name); }, "method", diagnostics);
    for (const Method& method : service.methods) {
        if (method.is_event && method.input.streaming) {
            diagnostics.Error(method.position,
                              fmt::format("event '{}' cannot take a stream: it returns nothing", method.name));
        }
        for (const MethodType* payload : {&method.input, &method.result}) {
            if (payload->type && IsResolved(*payload->type) && !IsStruct(*payload->type) &&
                !IsParameter(*payload->type)) {
                diagnostics.Error(payload->type->position, "a method's input and result must be structs");
            }
        }
    }
}

}  // namespace certpluck::gbc
