// The serialization entry points of a record type T: one overload of Apply for
// every pairing of a transform with a value form over the binary protocols, 46
// in all. A schema module declares them in its record's namespace with
//     BOND_FOR_EACH_ENTRY_POINT(T, BOND_DECLARE_ENTRY_POINT)
// and defines them once, in one source file, with BOND_DEFINE_ENTRY_POINT; every
// Apply of one of these pairings then reaches them (see apply.h).
#pragma once

#include <bond/core/apply.h>
#include <bond/protocol/compact_binary.h>
#include <bond/protocol/fast_binary.h>
#include <bond/protocol/simple_binary.h>
#include <bond/stream/output_buffer.h>

namespace bond::entry_points {

// Names without commas, so that they pass through the macros below.
template <typename T>
using CompactPayload = bonded<T, CompactBinaryReader<InputBuffer>&>;
template <typename T>
using FastPayload = bonded<T, FastBinaryReader<InputBuffer>&>;
template <typename T>
using SimplePayload = bonded<T, SimpleBinaryReader<InputBuffer>&>;

using CompactWriter = CompactBinaryWriter<OutputBuffer>;
using CompactCounter = CompactWriter::Pass0;
using FastWriter = FastBinaryWriter<OutputBuffer>;
using SimpleWriter = SimpleBinaryWriter<OutputBuffer>;

}  // namespace bond::entry_points

#define BOND_ENTRY_POINT_FORMS(T, X, TRANSFORM)                                                                        \
    X(TRANSFORM, T)                                                                                                    \
    X(TRANSFORM, ::bond::bonded<T>)                                                                                    \
    X(TRANSFORM, ::bond::entry_points::CompactPayload<T>)                                                              \
    X(TRANSFORM, ::bond::entry_points::FastPayload<T>)                                                                 \
    X(TRANSFORM, ::bond::entry_points::SimplePayload<T>)

#define BOND_ENTRY_POINT_WRITERS(T, X, TRANSFORM)                                                                      \
    BOND_ENTRY_POINT_FORMS(T, X, TRANSFORM<::bond::entry_points::CompactWriter>)                                       \
    BOND_ENTRY_POINT_FORMS(T, X, TRANSFORM<::bond::entry_points::CompactCounter>)                                      \
    BOND_ENTRY_POINT_FORMS(T, X, TRANSFORM<::bond::entry_points::FastWriter>)                                          \
    BOND_ENTRY_POINT_FORMS(T, X, TRANSFORM<::bond::entry_points::SimpleWriter>)

// Calls X(transform type, value type) for each of T's 46 entry points.
#define BOND_FOR_EACH_ENTRY_POINT(T, X)                                                                                \
    X(::bond::To<T>, ::bond::bonded<T>)                                                                                \
    X(::bond::To<T>, ::bond::entry_points::CompactPayload<T>)                                                          \
    X(::bond::To<T>, ::bond::entry_points::FastPayload<T>)                                                             \
    X(::bond::To<T>, ::bond::entry_points::SimplePayload<T>)                                                           \
    X(::bond::Null, ::bond::entry_points::SimplePayload<T>)                                                            \
    X(::bond::InitSchemaDef, T)                                                                                        \
    BOND_ENTRY_POINT_WRITERS(T, X, ::bond::Serializer)                                                                 \
    BOND_ENTRY_POINT_WRITERS(T, X, ::bond::Marshaler)

#define BOND_DECLARE_ENTRY_POINT(TRANSFORM, VALUE) bool Apply(const TRANSFORM& transform, const VALUE& value);

#define BOND_DEFINE_ENTRY_POINT(TRANSFORM, VALUE)                                                                      \
    bool Apply(const TRANSFORM& transform, const VALUE& value)                                                         \
    {                                                                                                                  \
        return ::bond::detail::ApplyTransform(transform, value);                                                       \
    }
