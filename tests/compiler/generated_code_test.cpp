// The generated code of every_construct.bond, built in this build with the
// project's warnings: what its records and enumerations say of themselves
// (names, defaults read back through the escapes, attributes, modifiers).
// How the runtime serializes them is the runtime's tests' business.
#include "every_construct_apply.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace construct {
namespace {

const char quoted_text[] = "a\"b\\c\n\td\x01 \xC3\xA9 \xE2\x98\x83 \xF0\x9D\x84\x9E";
const wchar_t wide_text[] = L"a\"b\\c\n \u00E9 \u2603 \U0001D11E";

TEST(GeneratedCode, MembersStartAtTheirDefaults)
{
    const Defaults defaults;
    EXPECT_TRUE(defaults.flag);
    EXPECT_EQ(defaults.tiny, std::numeric_limits<int8_t>::min());
    EXPECT_EQ(defaults.small, std::numeric_limits<int16_t>::min());
    EXPECT_EQ(defaults.medium, std::numeric_limits<int32_t>::min());
    EXPECT_EQ(defaults.large, std::numeric_limits<int64_t>::min());
    EXPECT_EQ(defaults.byte, std::numeric_limits<uint8_t>::max());
    EXPECT_EQ(defaults.word, std::numeric_limits<uint16_t>::max());
    EXPECT_EQ(defaults.dword, std::numeric_limits<uint32_t>::max());
    EXPECT_EQ(defaults.qword, std::numeric_limits<uint64_t>::max());
    EXPECT_EQ(defaults.ratio, 0.5f);
    EXPECT_EQ(defaults.precise, -1.25e-300);
    EXPECT_EQ(defaults.whole, 3.0);
    EXPECT_EQ(defaults.quoted, quoted_text);
    EXPECT_EQ(defaults.wide, wide_text);
    EXPECT_EQ(defaults.color, Blue);
    EXPECT_EQ(defaults.shade, imported::Dark);
    EXPECT_FALSE(defaults.noted);
    EXPECT_EQ(defaults.plain_float, 0.0f);
    EXPECT_EQ(defaults.label, "base");
    EXPECT_EQ(defaults.id, 0);
}

TEST(GeneratedCode, FieldMetadataHoldsDefaultsModifiersAndAttributes)
{
    using D = Defaults::Schema::var;
    using B = Base::Schema::var;
    EXPECT_EQ(D::large::metadata.default_value.int_value, std::numeric_limits<int64_t>::min());
    EXPECT_EQ(D::qword::metadata.default_value.uint_value, std::numeric_limits<uint64_t>::max());
    EXPECT_EQ(D::precise::metadata.default_value.double_value, -1.25e-300);
    EXPECT_EQ(D::quoted::metadata.default_value.string_value, quoted_text);
    EXPECT_EQ(D::wide::metadata.default_value.wstring_value, wide_text);
    EXPECT_EQ(D::color::metadata.default_value.int_value, 6);
    EXPECT_EQ(D::noted::metadata.attributes, (bond::reflection::Attributes{{"Note", "field attribute"}}));
    EXPECT_EQ(D::last::id, 65534);
    EXPECT_EQ(B::id::metadata.modifier, bond::Required);
    EXPECT_EQ(B::label::metadata.modifier, bond::RequiredOptional);
    EXPECT_EQ(B::label::metadata.default_value.string_value, "base");
    EXPECT_EQ(Base::Schema::metadata.attributes,
              (bond::reflection::Attributes{{"Description", "a base \"record\" with a \\ in it"},
                                            {"Owner", "\xC3\xA9quipe \xE2\x98\x83 \xF0\x9D\x84\x9E"}}));
    static_assert(std::is_same_v<Defaults::Schema::base, Base>);
}

TEST(GeneratedCode, GenericRecordsAreNamedAfterTheirArguments)
{
    struct Case {
        const bond::Metadata& metadata;
        const char* name;
    };
    const Case cases[] = {
        {Pair<int32_t, imported::Point>::Schema::metadata, "Pair<int32, construct.imported.Point>"},
        {Holder<std::string>::Schema::metadata, "Holder<string>"},
        {Pair<Color, std::vector<int64_t>>::Schema::metadata, "Pair<construct.Color, vector<int64>>"},
        {Pair<std::map<int16_t, std::wstring>, bond::nullable<bond::blob>>::Schema::metadata,
         "Pair<map<int16, wstring>, nullable<blob>>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.metadata.name, c.name);
        EXPECT_EQ(c.metadata.qualified_name, std::string("construct.") + c.name);
    }
}

TEST(GeneratedCode, ARepeatedValueIsNamedByItsFirstConstant)
{
    struct Case {
        Color value;
        const char* name;
    };
    const Case cases[] = {{Red, "Red"},           {Crimson, "Red"}, {Blue, "Blue"},
                          {Negative, "Negative"}, {Top, "Top"},     {UnsignedTop, "UnsignedTop"}};
    for (const Case& c : cases) {
        EXPECT_EQ(ToString(c.value), c.name);
    }
    Color color = Blue;
    EXPECT_TRUE(ToEnum(color, "Crimson"));
    EXPECT_EQ(color, Red);
    EXPECT_EQ(static_cast<uint32_t>(UnsignedTop), 4294967295u);
    EXPECT_EQ(GetValueToNameMap(Red).size(), 6u);
    EXPECT_EQ(GetNameToValueMap(Red).size(), 7u);
    EXPECT_STREQ(GetTypeName(Red, bond::qualified_name), "construct.Color");
}

}  // namespace
}  // namespace construct
