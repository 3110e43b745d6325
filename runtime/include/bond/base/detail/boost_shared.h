// The library's interface takes Boost's shared pointers and reference wrappers
// wherever it takes the standard ones; these hold a boost::shared_ptr's object
// alive from a std::shared_ptr.
#pragma once

#include <boost/shared_ptr.hpp>

#include <memory>

namespace bond::detail {

// A std::shared_ptr that shares the ownership of `pointer`'s object.
template <typename T>
std::shared_ptr<T> ShareFrom(const boost::shared_ptr<T>& pointer)
{
    if (!pointer) {
        return nullptr;
    }
    return std::shared_ptr<T>(pointer.get(), [keep = pointer](auto*) mutable { keep.reset(); });
}

}  // namespace bond::detail
