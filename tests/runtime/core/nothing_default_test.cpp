// Fields whose default is `nothing` (defaults.bond): left out by the writers
// that may leave fields out while they hold nothing, refused by the others and
// wherever the field may not be left out, and set by reading.
#include "test_records.h"

#include "defaults_reflection.h"
#include "hex.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using test::defaults::Demands;
using test::defaults::Optionals;
using test_records::ForEachProtocol;
using test_records::Written;
using testing_support::MessageOf;
using testing_support::ToHex;

TEST(NothingDefaults, HoldingNothingIsLeftOutOrRefused)
{
    const std::map<std::string, std::string> expected = {
        {"Compact v1", "00"},
        {"Compact v2", "0100"},
        {"Fast", "00"},
        {"Simple v1", "Field value is 'nothing'"},
        {"Simple v2", "Field value is 'nothing'"},
    };
    ForEachProtocol([&](auto protocol) {
        using P = decltype(protocol);
        std::string written;
        const std::string message =
            MessageOf([&] { written = ToHex(Written<typename P::writer>(Optionals{}, protocol.version)); });
        EXPECT_EQ(P::writer::may_omit_fields ? written : message, expected.at(protocol.name)) << protocol.name;
    });
}

TEST(NothingDefaults, AValueIsWrittenAndReadBackWhateverItIs)
{
    Optionals set;
    set.count.emplace(0);
    set.label.emplace();
    set.values.emplace(std::vector<int16_t>{-1, 2});
    ForEachProtocol([&](auto protocol) {
        using P = decltype(protocol);
        EXPECT_EQ(bond::Deserialize<Optionals>(protocol.Over(Written<typename P::writer>(set, protocol.version))), set)
            << protocol.name;
    });
}

TEST(NothingDefaults, AFieldThatIsNeverLeftOutMayNotHoldNothing)
{
    Demands counted;
    counted.count.emplace(1);
    Demands labelled;
    labelled.label.emplace("l");
    ForEachProtocol([&](auto protocol) {
        using P = decltype(protocol);
        for (const Demands& demands : {Demands{}, counted, labelled}) {
            EXPECT_EQ(MessageOf([&] { Written<typename P::writer>(demands, protocol.version); }),
                      "Field value is 'nothing'")
                << protocol.name;
        }
    });
}

TEST(NothingDefaults, AFieldAbsentFromThePayloadStaysNothing)
{
    Optionals plain;
    plain.plain = 3;
    EXPECT_EQ(test_records::Decode<Optionals>("6303 00"), plain);
}

}  // namespace
