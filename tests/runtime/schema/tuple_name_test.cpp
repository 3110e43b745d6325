// A tuple's run-time schema names a record item by the record's qualified
// name, whichever of the metadata objects built before main is built first.
#include "tuple_item.h"

#include <bond/core/bond.h>
#include <bond/core/tuple.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

namespace {

using Tuple = std::tuple<std::string, test::tuples::Item, int32_t>;

// The tuple's metadata is built before main with this file's objects, before
// those of tuple_item.cpp (which links after it), where Item's is.
TEST(TupleSchema, NamesARecordItemByItsQualifiedName)
{
    const bond::SchemaDef& schema = bond::GetRuntimeSchema<Tuple>().GetSchema();
    EXPECT_EQ(schema.structs[0].metadata.name, "tuple<string, test.tuples.Item, int32>");
    EXPECT_EQ(schema.structs[0].metadata.qualified_name, "bond.tuple<string, test.tuples.Item, int32>");
    EXPECT_EQ(schema.structs[1].metadata.qualified_name, "test.tuples.Item");
}

}  // namespace
