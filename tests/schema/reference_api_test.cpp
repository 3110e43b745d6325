// The library operations a user of these records calls (serialize, marshal,
// transcode, unmarshal, run-time schema) over every writer, held row by row
// against the reference library's answers (tests/testdata/reference_api.tsv):
// the bytes written, the count of the first Compact Binary v2 pass, or the
// exception's text.
#include "secrets_package_apply.h"

#include "hex.h"
#include "reference_table.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using namespace Trel::Security::Vaskor;
using testing_support::FromHex;
using testing_support::ReferenceRow;
using testing_support::ToHex;

using CompactReader = bond::CompactBinaryReader<bond::InputBuffer>;

// Calls `action` with a default value of the record type the table names.
template <typename Action>
std::string WithRecord(const std::string& name, Action&& action)
{
    if (name == "CertMapping") {
        return action(CertMapping{});
    }
    if (name == "ManagedCertificatesPackage") {
        return action(ManagedCertificatesPackage{});
    }
    if (name == "SupportingCert") {
        return action(SupportingCert{});
    }
    if (name == "SecretsPackage") {
        return action(SecretsPackage{});
    }
    ADD_FAILURE() << "no record " << name;
    return {};
}

// Writes `value` (a record or a payload) with the writer the table calls
// `protocol`; "cb2-counter" is the first pass of Compact Binary v2, which
// answers with the bytes it counted.
template <typename Value>
std::string Write(const std::string& protocol, const Value& value, bool marshal)
{
    const auto run = [&](auto& writer) {
        if (marshal) {
            bond::Marshal(value, writer);
        } else {
            bond::Serialize(value, writer);
        }
    };
    bond::OutputBuffer output;
    if (protocol == "cb2-counter") {
        using Writer = bond::CompactBinaryWriter<bond::OutputBuffer>;
        Writer pass1(output, 2);
        Writer::Pass0::Buffer counter;
        Writer::Pass0 pass0(counter, pass1);
        run(pass0);
        return std::to_string(counter.GetCount());
    }
    if (protocol == "cb1" || protocol == "cb2") {
        bond::CompactBinaryWriter<bond::OutputBuffer> writer(output, protocol == "cb1" ? 1 : 2);
        run(writer);
    } else if (protocol == "fb") {
        bond::FastBinaryWriter<bond::OutputBuffer> writer(output);
        run(writer);
    } else if (protocol == "sp1" || protocol == "sp2") {
        bond::SimpleBinaryWriter<bond::OutputBuffer> writer(output, protocol == "sp1" ? 1 : 2);
        run(writer);
    } else {
        ADD_FAILURE() << "no protocol " << protocol;
    }
    return ToHex(output.GetBuffer());
}

bond::InputBuffer InputOf(const std::vector<char>& bytes)
{
    return bond::InputBuffer(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size())));
}

std::string Perform(const ReferenceRow& row)
{
    const std::string& operation = row.Column(0);
    const std::string& protocol = row.Column(2);
    const std::string& form = row.Column(3);
    const std::vector<char> input = FromHex(row.Column(4));
    try {
        return WithRecord(row.Column(1), [&]<typename T>(T record) -> std::string {
            if (operation == "serialize" || operation == "marshal") {
                bond::Deserialize(CompactReader(InputOf(input)), record);
                return Write(protocol, record, operation == "marshal");
            }
            if (operation == "transcode" && form == "pr") {
                return Write(protocol, bond::bonded<T>(CompactReader(InputOf(input))), false);
            }
            if (operation == "transcode" && form == "ref") {
                CompactReader reader(InputOf(input));
                return Write(protocol, bond::bonded<T, CompactReader&>(reader), false);
            }
            if (operation == "unmarshal") {
                bond::Unmarshal(InputOf(input), record);
                return Write("cb1", record, false);
            }
            if (operation == "schema") {
                return Write(protocol, bond::GetRuntimeSchema<T>().GetSchema(), false);
            }
            ADD_FAILURE() << "no operation " << operation;
            return {};
        });
    } catch (const std::exception& e) {
        return std::string("Exception: ") + e.what();
    }
}

// The row whose answers a row is held against: where the reference itself
// fails or writes corrupt data, the operation that shows what it should have
// written.
const ReferenceRow& Standard(const ReferenceRow& row, const std::map<std::string, const ReferenceRow*>& rows)
{
    const auto key = [&](const std::string& operation, const std::string& form) {
        return operation + "\t" + row.Column(1) + "\t" + row.Column(2) + "\t" + form + "\t" + row.Column(4);
    };
    std::string standard;
    if (row.Column(0) == "transcode" && (row.Column(2) == "sp1" || row.Column(2) == "sp2")) {
        // The reference writes corrupt Simple Binary from a tagged payload or
        // aborts; ours decodes the payload and writes the record.
        standard = key("serialize", "-");
    } else if (row.Column(0) == "transcode" && row.Column(2) == "cb2" && row.Column(3) == "ref") {
        // The reference's first pass uses up the caller's reader.
        standard = key("transcode", "pr");
    }
    const auto found = rows.find(standard);
    return found == rows.end() ? row : *found->second;
}

TEST(ReferenceApi, EveryOperationAnswersAsTheReferenceDoes)
{
    const auto rows = testing_support::LoadReferenceTable(REFERENCE_API);
    ASSERT_EQ(rows.size(), 938u);
    std::map<std::string, const ReferenceRow*> by_operation;
    for (const auto& row : rows) {
        std::string key;
        for (const auto& column : row.columns) {
            key += (key.empty() ? "" : "\t") + column;
        }
        by_operation.emplace(key, &row);
    }
    for (const auto& row : rows) {
        const std::string ours = Perform(row);
        const ReferenceRow& standard = Standard(row, by_operation);
        EXPECT_TRUE(testing_support::AgreesWithReference(ours, standard))
            << "line " << row.line << ": " << row.Column(0) << " " << row.Column(1) << " " << row.Column(2) << " "
            << row.Column(3) << " " << row.Column(4) << "\n  ours:  " << ours << "\n  9.0.5: " << standard.legacy
            << "\n  head:  " << standard.head;
    }
}

}  // namespace
