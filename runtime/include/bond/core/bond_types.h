// The records of bond/core/bond.bond: the run-time schema's (SchemaDef,
// StructDef, FieldDef, TypeDef), metadata's (Metadata, Variant) and the small
// ones (Void, GUID, Box<T>), under the header names a schema that imports
// bond.bond includes.
#pragma once

#include <bond/base/metadata.h>
#include <bond/schema/library_records.h>
#include <bond/schema/schema_def.h>
