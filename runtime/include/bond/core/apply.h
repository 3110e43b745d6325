// bond::Apply: runs a transform over a value. Calls are unqualified inside the
// runtime, so an overload declared beside a record type (in the record's own
// namespace) is found by argument-dependent lookup and takes precedence over the
// generic templates here, which are what such overloads forward to.
#pragma once

#include <bond/core/bonded.h>
#include <bond/core/detail/tagged_parser.h>
#include <bond/core/transforms.h>

namespace bond {

namespace detail {

template <typename Transform, typename T, typename Reader>
bool ApplyTransform(const Transform& transform, const bonded<T, Reader&>& value)
{
    ParseTagged<T>(value.GetReader(), transform);
    return false;
}

}  // namespace detail

template <typename Transform, typename T, typename Reader>
bool Apply(const Transform& transform, const bonded<T, Reader>& value)
{
    return detail::ApplyTransform(transform, value);
}

}  // namespace bond
