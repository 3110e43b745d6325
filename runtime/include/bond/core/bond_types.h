// The records of the run-time schema (SchemaDef, StructDef, FieldDef, TypeDef)
// and of metadata (Metadata, Variant), under the library's header name.
#pragma once

#include <bond/base/metadata.h>
#include <bond/schema/schema_def.h>
