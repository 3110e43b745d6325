// Transforms: what is done with a record, whether it is read from a payload or
// walked in memory. A parser tells a transform what it meets through
//     void Begin(const Metadata&), void End(), void UnknownEnd(),
//     bool Base(value), bool Field(id, metadata, value),
//     bool UnknownField(id, value), bool OmittedField(id, metadata, type),
//     void Container(element, size), void Container(key, element, size),
// where a value is a record's member, or, from a payload, a bond::value (a
// basic value or a container) or a bond::bonded (a struct) that the transform
// reads, passes over or applies a transform to. The built-in transforms:
//   - To<T>: reads a payload into a T;
//   - Serializer<Writer>, Marshaler<Writer>: write a record or re-encode a
//     payload;
//   - Null: takes nothing, so that what it is applied to is passed over;
//   - InitSchemaDef: describes a record in a run-time schema;
//   - MapTo<T>: reads a payload onto a record of another shape (map_to.h).
// Merger, which merges a record into a payload, is in merge.h.
#pragma once

#include <bond/core/init_schema_def.h>
#include <bond/core/map_to.h>
#include <bond/core/null.h>
#include <bond/core/serializer.h>
#include <bond/core/to.h>
#include <bond/core/transform_kinds.h>
