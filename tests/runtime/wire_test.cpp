#include <bond/base/detail/checked.h>
#include <bond/protocol/detail/type_dispatch.h>
#include <bond/protocol/detail/wire.h>
#include <bond/stream/detail/varint.h>

#include "hex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>

namespace {

using testing_support::MessageOf;

TEST(Wire, ValueTypesAreTheCodesFromBoolToWstring)
{
    for (int code = 0; code < 256; ++code) {
        const auto byte = static_cast<uint8_t>(code);
        const std::string message = MessageOf([&] { bond::detail::CheckedValueType(byte); });
        EXPECT_EQ(message, code >= 2 && code <= 18 ? "no exception" : "Unknown data type found") << code;
    }
    EXPECT_EQ(bond::detail::CheckedValueType(18), bond::BT_WSTRING);
}

TEST(Wire, FixedWidths)
{
    struct Case {
        bond::BondDataType type;
        uint32_t width;
    };
    const Case cases[] = {
        {bond::BT_BOOL, 1},    {bond::BT_UINT8, 1},  {bond::BT_INT8, 1},      {bond::BT_UINT16, 2},
        {bond::BT_INT16, 2},   {bond::BT_UINT32, 4}, {bond::BT_INT32, 4},     {bond::BT_FLOAT, 4},
        {bond::BT_UINT64, 8},  {bond::BT_INT64, 8},  {bond::BT_DOUBLE, 8},    {bond::BT_STRING, 0},
        {bond::BT_WSTRING, 0}, {bond::BT_STRUCT, 0}, {bond::BT_LIST, 0},      {bond::BT_SET, 0},
        {bond::BT_MAP, 0},     {bond::BT_STOP, 0},   {bond::BT_STOP_BASE, 0}, {bond::BondDataType{19}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bond::detail::FixedWidth(c.type), c.width) << int{c.type};
    }
}

TEST(Wire, VarintSizes)
{
    struct Case {
        uint64_t value;
        uint32_t size;
    };
    const Case cases[] = {
        {0, 1},
        {127, 1},
        {128, 2},
        {16383, 2},
        {16384, 3},
        {0xFFFFFFFF, 5},
        {0x7FFFFFFFFFFFFFFF, 9},
        {std::numeric_limits<uint64_t>::max(), 10},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bond::detail::VarintSize(c.value), c.size) << c.value;
    }
    EXPECT_EQ(bond::detail::VarintSize(uint16_t{0xFFFF}), 3u);
}

TEST(Wire, LengthsFit32Bits)
{
    EXPECT_EQ(bond::detail::CheckedLength(0), 0u);
    EXPECT_EQ(bond::detail::CheckedLength(std::numeric_limits<uint32_t>::max()), std::numeric_limits<uint32_t>::max());
    EXPECT_EQ(MessageOf([] { bond::detail::CheckedLength(uint64_t{1} << 32); }),
              "Length 4294967296 does not fit in 32 bits");
    EXPECT_THROW(bond::detail::CheckedLength(std::numeric_limits<uint64_t>::max()), std::length_error);
}

}  // namespace
