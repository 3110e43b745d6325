// The records of the run-time schema (SchemaDef, StructDef, FieldDef, TypeDef)
// and of metadata (Metadata, Variant), under the library's header name.
#pragma once

#include <bond/core/metadata.h>
#include <bond/core/schema_def.h>
