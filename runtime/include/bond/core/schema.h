// Run-time schemas (RuntimeSchema, GetRuntimeSchema) and the compile-time
// traits of records (schema<T>, has_schema<T>), under the library's header name.
#pragma once

#include <bond/core/bond.h>
#include <bond/schema/reflection.h>
#include <bond/schema/runtime_schema.h>
