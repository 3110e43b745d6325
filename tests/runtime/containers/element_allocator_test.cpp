// The text, containers and records that reading adds to a container are built
// with that container's allocator, so that a record made with an allocator
// holds nothing from another, whatever the protocol and the walk.
#include "container_samples.h"
#include "test_records.h"

#include <bond/core/bond.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using test::allocated::Allocated;
using test::allocated::Arena;
using test::allocated::Entry;
using test_records::ForEachProtocol;
using test_records::Written;

// The ids of the allocators of everything a record holds that takes one.
std::multiset<int> AllocatorIds(const Allocated& record)
{
    std::multiset<int> ids;
    const auto add = [&](const auto& value) { ids.insert(value.get_allocator().id); };
    const auto add_entry = [&](const Entry& entry) {
        add(entry.key);
        add(entry.notes);
        for (const auto& note : entry.notes) {
            add(note);
        }
    };
    add(record.text);
    for (const auto& text : record.strings) {
        add(text);
    }
    for (const auto& text : record.wide) {
        add(text);
    }
    for (const auto& name : record.names) {
        add(name);
    }
    for (const auto& [key, entry] : record.entries) {
        add(key);
        add_entry(entry);
    }
    for (const Entry& entry : record.list_entries) {
        add_entry(entry);
    }
    for (const auto& row : record.grid) {
        add(row);
        for (const auto& text : row) {
            add(text);
        }
    }
    return ids;
}

TEST(ElementAllocator, ReadingBuildsEveryElementWithItsContainersAllocator)
{
    const Allocated filled = test::containers::Filled<Allocated>();
    const bond::RuntimeSchema schema = bond::GetRuntimeSchema<Allocated>();
    ForEachProtocol([&](auto protocol) {
        const bond::blob bytes = Written<typename decltype(protocol)::writer>(filled, protocol.version);
        for (const bool by_schema : {false, true}) {
            Allocated record{Arena<char>(7)};
            if (by_schema) {
                bond::Deserialize(protocol.Over(bytes), record, schema);
            } else {
                bond::Deserialize(protocol.Over(bytes), record);
            }
            EXPECT_EQ(record, filled) << protocol.name;
            const std::multiset<int> ids = AllocatorIds(record);
            EXPECT_EQ(ids.count(7), ids.size()) << protocol.name << (by_schema ? " by the run-time schema" : "");
            EXPECT_GT(ids.size(), 20u);
        }
    });
}

}  // namespace
