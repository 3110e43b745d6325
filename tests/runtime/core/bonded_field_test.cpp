// Fields of type bonded<T>, and containers of them (envelope.bond): read, each
// keeps its struct undecoded; written, it goes out as it stands into its own
// protocol, re-encoded into another, and as a marshaled payload into Simple
// Binary. A field that was never given a struct holds a default one. Read from
// a reader of one's own input, it keeps that reader (in place, or on the heap
// when too large), and is read, written and merged through a list of
// protocols that names the reader, and through no other.
#include "test_records.h"

#include "envelope_reflection.h"
#include "hex.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

class OwnInput : public bond::InputBuffer {
public:
    explicit OwnInput(const bond::InputBuffer& input) : InputBuffer(input) {}
};

// Larger than any built-in reader.
class LargeInput : public bond::InputBuffer {
public:
    explicit LargeInput(const bond::InputBuffer& input) : InputBuffer(input) {}

private:
    [[maybe_unused]] std::array<char, 128> _padding{};
};

}  // namespace

namespace bond {
BOND_DEFINE_BUFFER_MAGIC(OwnInput, 0x4F49 /*OI*/);
BOND_DEFINE_BUFFER_MAGIC(LargeInput, 0x4C49 /*LI*/);
}  // namespace bond

namespace {

using test::envelope::Envelope;
using test::envelope::Letter;
using test_records::CompactWriter;
using test_records::ForEachProtocol;
using test_records::Written;
using testing_support::ToHex;

Letter MakeLetter(const std::string& text, int32_t stamp)
{
    Letter written;
    written.text = text;
    written.stamp = stamp;
    return written;
}

const Letter letter = MakeLetter("hi", 7);
const Letter enclosed = MakeLetter("ps", -1);

Envelope Posted()
{
    Envelope envelope;
    envelope.to = "t";
    envelope.letter = bond::bonded<Letter>(letter);
    envelope.weight = 3;
    envelope.enclosures = {bond::bonded<Letter>(enclosed), bond::bonded<Letter>(letter)};
    envelope.by_sender.emplace("me", bond::bonded<Letter>(enclosed));
    return envelope;
}

// The envelope's fields besides the letter, and the letter read.
void ExpectPosted(const Envelope& envelope, const std::string& where)
{
    EXPECT_EQ(envelope.to, "t") << where;
    EXPECT_EQ(envelope.weight, 3) << where;
    EXPECT_EQ(envelope.letter.Deserialize(), letter) << where;
    ASSERT_EQ(envelope.enclosures.size(), 2u) << where;
    EXPECT_EQ(envelope.enclosures[0].Deserialize(), enclosed) << where;
    EXPECT_EQ(envelope.enclosures[1].Deserialize(), letter) << where;
    ASSERT_EQ(envelope.by_sender.count("me"), 1u) << where;
    EXPECT_EQ(envelope.by_sender.at("me").Deserialize(), enclosed) << where;
}

TEST(BondedFields, SimpleBinaryHoldsAMarshaledPayload)
{
    // Each payload is its byte count, then Compact v1 behind its header.
    const std::string hi = "0b000000"
                           "43420100"
                           "09026869300e00";
    const std::string ps = "0b000000"
                           "43420100"
                           "09027073300100";
    // to "t"; letter; weight 3; two enclosures; one sender, "me".
    EXPECT_EQ(ToHex(Written<bond::SimpleBinaryWriter<bond::OutputBuffer>>(Posted(), bond::v1)),
              "0100000074" + hi + "03000000" + "02000000" + ps + hi + "01000000" + "020000006d65" + ps);
}

TEST(BondedFields, EveryProtocolReadsAndReencodesIntoEveryOther)
{
    ForEachProtocol([&](auto from) {
        using From = decltype(from);
        const bond::blob bytes = Written<typename From::writer>(Posted(), from.version);
        ExpectPosted(bond::Deserialize<Envelope>(from.Over(bytes)), from.name);
        ForEachProtocol([&](auto to) {
            using To = decltype(to);
            bond::OutputBuffer output;
            typename To::writer writer(output, to.version);
            bond::bonded<Envelope>(from.Over(bytes)).Serialize(writer);
            ExpectPosted(bond::Deserialize<Envelope>(to.Over(output.GetBuffer())),
                         std::string(from.name) + " into " + to.name);
        });
    });
}

TEST(BondedFields, AReadFieldIsCopiedAsItStandsIntoItsOwnProtocol)
{
    // Field 1 holds a letter with an unknown field 5 (uint8 9), which a letter
    // read and written again would lose.
    const std::string letter_hex = "09026869300e"
                                   "a309"
                                   "00";
    const Envelope envelope = test_records::Decode<Envelope>("2a" + letter_hex + "00");
    EXPECT_EQ(ToHex(Written<CompactWriter>(envelope.letter, bond::v1)), letter_hex);
    EXPECT_EQ(ToHex(Written<CompactWriter>(envelope, bond::v1)), "2a" + letter_hex + "00");
}

TEST(BondedFields, AFieldNeverGivenAStructHoldsADefaultOne)
{
    // One left at its default in memory, and one a payload left out.
    const Envelope left;
    const Envelope absent = test_records::Decode<Envelope>("00");
    ForEachProtocol([&](auto protocol) {
        using P = decltype(protocol);
        for (const Envelope* envelope : {&left, &absent}) {
            const Envelope read =
                bond::Deserialize<Envelope>(protocol.Over(Written<typename P::writer>(*envelope, protocol.version)));
            EXPECT_EQ(read.letter.Deserialize(), Letter{}) << protocol.name;
        }
    });
}

template <typename Action>
std::string FailureOf(Action&& action)
{
    try {
        action();
    } catch (const bond::CoreException& e) {
        return e.what();
    }
    return "none";
}

const std::string unsupported = "Unmarshaling failed: unsupported protocol";

template <typename Input>
class OwnReaderPayload : public testing::Test {
protected:
    using Reader = bond::CompactBinaryReader<Input>;
    using OwnProtocols = bond::BuiltInProtocols::Append<Reader>;

    const bond::blob bytes = Written<CompactWriter>(Posted(), bond::v2);
    const bond::bonded<Envelope> payload{Reader(Input(bond::InputBuffer(bytes)), bond::v2)};
};

using Inputs = testing::Types<OwnInput, LargeInput>;
TYPED_TEST_SUITE(OwnReaderPayload, Inputs);

TYPED_TEST(OwnReaderPayload, IsReadThroughAListThatNamesItsReaderOnly)
{
    using Listed = typename TestFixture::OwnProtocols;
    EXPECT_EQ(FailureOf([&] { (void)this->payload.Deserialize(); }), unsupported);

    const bond::bonded<Envelope> copy = this->payload;
    for (const auto* held : {&this->payload, &copy}) {
        const Envelope read = held->template Deserialize<Envelope, Listed>();
        EXPECT_EQ(read.to, "t");
        EXPECT_EQ((read.letter.template Deserialize<Letter, Listed>()), letter);
        EXPECT_EQ(FailureOf([&] { (void)read.letter.Deserialize(); }), unsupported);
    }
}

TYPED_TEST(OwnReaderPayload, ItsNestedPayloadsAreWrittenThroughTheList)
{
    using Listed = typename TestFixture::OwnProtocols;
    const Envelope read = this->payload.template Deserialize<Envelope, Listed>();

    bond::OutputBuffer output;
    CompactWriter writer(output, bond::v1);
    bond::Serialize<Listed>(read, writer);
    ExpectPosted(bond::Deserialize<Envelope>(bond::CompactBinaryReader<bond::InputBuffer>(output.GetBuffer())),
                 "written through the list");

    bond::OutputBuffer refused;
    CompactWriter refused_writer(refused, bond::v1);
    EXPECT_EQ(FailureOf([&] { bond::Serialize(read, refused_writer); }), unsupported);
}

// Merged, the payload is over the result, in memory, which any list reads.
TYPED_TEST(OwnReaderPayload, MergedHoldsTheResultInItsProtocol)
{
    using Listed = typename TestFixture::OwnProtocols;
    bond::bonded<Letter> merged = this->payload.template Deserialize<Envelope, Listed>().letter;
    merged.template Merge<Listed>(enclosed);
    EXPECT_EQ(merged.Deserialize(), enclosed);
}

}  // namespace
