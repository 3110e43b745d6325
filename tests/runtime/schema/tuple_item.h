// A record whose metadata objects are defined in a file of their own, as a
// schema module's are.
#pragma once

#include <bond/core/bond.h>

#include <cstdint>

namespace test::tuples {

struct Item {
    int32_t n = 0;

    struct Schema;
    bool operator==(const Item&) const = default;
};

struct Item::Schema {
    using base = bond::no_base;
    static const bond::Metadata metadata;

private:
    static const bond::Metadata s_n_metadata;

public:
    struct var {
        using n = bond::reflection::FieldTemplate<0, bond::reflection::optional_field_modifier, Item, int32_t, &Item::n,
                                                  &s_n_metadata>;
    };
    using fields = bond::reflection::FieldList<var::n>;

    static bond::Metadata GetMetadata() { return bond::reflection::MetadataInit("Item", "test.tuples.Item"); }
};

}  // namespace test::tuples
