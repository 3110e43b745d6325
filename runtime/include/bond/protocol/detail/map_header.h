// The map header that both tagged protocols share.
#pragma once

#include <bond/base/bond_const.h>
#include <bond/protocol/encoding.h>

#include <cstdint>
#include <utility>

namespace bond::detail {

// The map header of the tagged protocols: key type byte, value type byte, then
// a varint pair count. The types are the codes as they stand, judged by
// whoever reads or passes over the pairs.
template <typename Buffer>
void ReadMapHeader(Buffer& input, uint32_t& size, std::pair<BondDataType, BondDataType>& types)
{
    uint8_t key;
    uint8_t value;
    input.Read(key);
    input.Read(value);
    types = {static_cast<BondDataType>(key), static_cast<BondDataType>(value)};
    ReadVariableUnsigned(input, size);
}

template <typename Buffer>
void WriteMapHeader(Buffer& output, uint32_t size, std::pair<BondDataType, BondDataType> types)
{
    output.Write(static_cast<uint8_t>(types.first));
    output.Write(static_cast<uint8_t>(types.second));
    WriteVariableUnsigned(output, size);
}

}  // namespace bond::detail
