// The constants that travel on the wire or describe a schema. Each enumeration
// sits in a namespace of its own under _bond_enumerators, where generated code
// looks for the enumerators of an imported enumeration (a schema may name
// bond.BondDataType and its BT_LIST), with its names brought into bond.
#pragma once

#include <cstdint>

namespace bond {

// Type codes. Compact Binary field and list headers hold them in 5 bits; the
// other places where they travel use a whole byte. Codes from 19 up name no type.
// The enumeration is as wide as an int, as the library's is: any code read from
// the wire fits, and a code prints as a number.
namespace _bond_enumerators {
namespace BondDataType {
enum BondDataType : int32_t {
    BT_STOP = 0,
    BT_STOP_BASE = 1,
    BT_BOOL = 2,
    BT_UINT8 = 3,
    BT_UINT16 = 4,
    BT_UINT32 = 5,
    BT_UINT64 = 6,
    BT_FLOAT = 7,
    BT_DOUBLE = 8,
    BT_STRING = 9,
    BT_STRUCT = 10,
    BT_LIST = 11,
    BT_SET = 12,
    BT_MAP = 13,
    BT_INT8 = 14,
    BT_INT16 = 15,
    BT_INT32 = 16,
    BT_INT64 = 17,
    BT_WSTRING = 18,
    BT_UNAVAILABLE = 127,
};
}  // namespace BondDataType
}  // namespace _bond_enumerators
using namespace _bond_enumerators::BondDataType;

// True for the codes that a value, a list element or a map key or value may carry.
constexpr bool IsValueType(int32_t type) noexcept
{
    return type >= BT_BOOL && type <= BT_WSTRING;
}

// True for the value types that hold neither fields nor elements.
constexpr bool IsBasicType(int32_t type) noexcept
{
    return IsValueType(type) && (type < BT_STRUCT || type > BT_MAP);
}

namespace _bond_enumerators {
namespace Modifier {
enum Modifier : int32_t {
    Optional = 0,
    Required = 1,
    RequiredOptional = 2,
};
}  // namespace Modifier
}  // namespace _bond_enumerators
using namespace _bond_enumerators::Modifier;

// Tags of the marshaling header, stored as 16-bit little-endian numbers.
namespace _bond_enumerators {
namespace ProtocolType {
enum ProtocolType : uint16_t {
    MARSHALED_PROTOCOL = 0,
    COMPACT_PROTOCOL = 0x4243,
    SIMPLE_PROTOCOL = 0x5053,
    FAST_PROTOCOL = 0x464D,
    SIMPLE_JSON_PROTOCOL = 0x4A53,
};
}  // namespace ProtocolType
}  // namespace _bond_enumerators
using namespace _bond_enumerators::ProtocolType;

}  // namespace bond
