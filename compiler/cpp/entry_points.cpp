#include "compiler/cpp/entry_points.h"

#include <fmt/format.h>

#include <algorithm>

namespace certpluck::gbc::cpp {
namespace {

struct ProtocolNames {
    Protocol protocol;
    const char* payload;  // a bonded<T> over the protocol's reader
    std::vector<const char*> writers;
};

// The names entry_points.h of the runtime gives these types.
const ProtocolNames protocol_names[] = {
    {Protocol::compact, "CompactPayload", {"CompactWriter", "CompactCounter"}},
    {Protocol::fast, "FastPayload", {"FastWriter"}},
    {Protocol::simple, "SimplePayload", {"SimpleWriter"}},
};

}  // namespace

std::vector<EntryPoint> EntryPoints(const std::string& record, const std::vector<Protocol>& protocols)
{
    const auto served = [&](Protocol protocol) {
        return protocols.empty() || std::find(protocols.begin(), protocols.end(), protocol) != protocols.end();
    };
    const std::string bonded = fmt::format("::bond::bonded<{}>", record);
    std::vector<std::string> payloads;
    std::vector<std::string> writers;
    for (const ProtocolNames& names : protocol_names) {
        if (served(names.protocol)) {
            payloads.push_back(fmt::format("::bond::entry_points::{}<{}>", names.payload, record));
            for (const char* writer : names.writers) {
                writers.push_back(fmt::format("::bond::entry_points::{}", writer));
            }
        }
    }
    std::vector<EntryPoint> entry_points;
    const std::string to = fmt::format("::bond::To<{}>", record);
    entry_points.push_back({to, bonded});
    for (const std::string& payload : payloads) {
        entry_points.push_back({to, payload});
    }
    // Null passes over an untagged payload only, which needs the record's schema.
    if (served(Protocol::simple)) {
        entry_points.push_back({"::bond::Null", fmt::format("::bond::entry_points::SimplePayload<{}>", record)});
    }
    entry_points.push_back({"::bond::InitSchemaDef", record});
    for (const char* transform : {"::bond::Serializer", "::bond::Marshaler"}) {
        for (const std::string& writer : writers) {
            const std::string applied = fmt::format("{}<{}>", transform, writer);
            entry_points.push_back({applied, record});
            entry_points.push_back({applied, bonded});
            for (const std::string& payload : payloads) {
                entry_points.push_back({applied, payload});
            }
        }
    }
    return entry_points;
}

}  // namespace certpluck::gbc::cpp
