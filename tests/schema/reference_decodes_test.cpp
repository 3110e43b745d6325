// Decoding generated packages as the tool does, held row by row against what
// the reference library decodes from them (tests/testdata/reference_decodes.tsv):
// the whole record, or the exception's text.
#include "secrets_package_apply.h"

#include "hex.h"
#include "reference_table.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <type_traits>
#include <vector>

namespace {

using namespace Trel::Security::Vaskor;
using testing_support::FromHex;
using testing_support::ToHex;

// The table writes records as Name{Field=value,...}, lists as [a;b], blobs as
// hex:..., wide strings as ws[UTF-16 units in hex], numbers in decimal.
template <typename T>
void Describe(std::string& text, const T& value);

template <typename... Fields, typename T>
void DescribeFields(std::string& text, const T& record, bond::reflection::FieldList<Fields...>)
{
    bool first = true;
    (
        [&] {
            text += first ? "" : ",";
            first = false;
            text += Fields::metadata.name + "=";
            Describe(text, Fields::GetVariable(record));
        }(),
        ...);
}

template <typename T>
void Describe(std::string& text, const T& value)
{
    if constexpr (bond::BondStruct<T>) {
        text += T::Schema::metadata.name + "{";
        DescribeFields(text, value, typename T::Schema::fields{});
        text += "}";
    } else if constexpr (std::is_same_v<T, bond::blob>) {
        text += "hex:" + ToHex(value.content(), value.length());
    } else if constexpr (std::is_same_v<T, std::wstring>) {
        // The reference holds one UTF-16 unit per character; ours keeps a
        // character above U+FFFF whole, so it is split back into its pair.
        std::vector<uint32_t> units;
        for (const wchar_t character : value) {
            const auto code_point = static_cast<uint32_t>(character);
            if (code_point > 0xFFFF) {
                units.push_back(0xD800 + ((code_point - 0x10000) >> 10));
                units.push_back(0xDC00 + ((code_point - 0x10000) & 0x3FF));
            } else {
                units.push_back(code_point);
            }
        }
        text += "ws[";
        for (size_t i = 0; i < units.size(); ++i) {
            char unit[16];
            std::snprintf(unit, sizeof unit, "%s%04x", i == 0 ? "" : ",", units[i]);
            text += unit;
        }
        text += "]";
    } else if constexpr (std::is_enum_v<T> || std::is_integral_v<T>) {
        text += std::to_string(static_cast<int64_t>(value));
    } else {
        text += "[";
        for (size_t i = 0; i < value.size(); ++i) {
            text += i == 0 ? "" : ";";
            Describe(text, value[i]);
        }
        text += "]";
    }
}

std::string DecodeAsTheToolDoes(const std::vector<char>& input)
{
    try {
        bond::CompactBinaryReader<bond::InputBuffer> reader(
            bond::InputBuffer(bond::blob(input.data(), static_cast<uint32_t>(input.size()))));
        SecretsPackage package;
        bond::Deserialize(reader, package);
        std::string text;
        Describe(text, package);
        return text;
    } catch (const std::exception& e) {
        return std::string("Exception: ") + e.what();
    }
}

TEST(ReferenceDecodes, EveryPackageDecodesAsTheReferenceDoes)
{
    const auto rows = testing_support::LoadReferenceTable(REFERENCE_DECODES);
    ASSERT_EQ(rows.size(), 1500u);
    for (const auto& row : rows) {
        const std::string ours = DecodeAsTheToolDoes(FromHex(row.Column(0)));
        EXPECT_TRUE(testing_support::AgreesWithReference(ours, row))
            << "line " << row.line << ": " << row.Column(0) << "\n  ours:  " << ours << "\n  9.0.5: " << row.legacy
            << "\n  head:  " << row.head;
    }
}

}  // namespace
