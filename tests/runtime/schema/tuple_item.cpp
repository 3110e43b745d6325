#include "tuple_item.h"

namespace test::tuples {

const bond::Metadata Item::Schema::metadata = Item::Schema::GetMetadata();
const bond::Metadata Item::Schema::s_n_metadata = bond::reflection::MetadataInit("n");

}  // namespace test::tuples
