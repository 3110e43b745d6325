// Passing over a value of an untagged protocol, which carries no types: the
// declared type says what to read and discard.
#pragma once

#include <bond/core/blob.h>
#include <bond/core/bond_fwd.h>
#include <bond/core/null.h>
#include <bond/core/detail/recursion_guard.h>
#include <bond/core/reflection.h>

#include <cstdint>
#include <utility>

namespace bond::detail {

template <typename T, typename Reader>
void SkipTyped(Reader& reader)
{
    if constexpr (BondStruct<T>) {
        Apply(Null(), bonded<T, Reader&>(reader));
    } else if constexpr (std::is_same_v<T, blob>) {
        RecursionGuard guard;
        uint32_t count;
        BondDataType element_type = BT_INT8;
        reader.ReadContainerBegin(count, element_type);
        blob ignored;
        reader.Read(ignored, count);
        reader.ReadContainerEnd();
    } else if constexpr (is_vector<T>::value || is_nullable<T>::value || is_set<T>::value) {
        RecursionGuard guard;
        uint32_t count;
        BondDataType element_type = get_type_id<typename T::value_type>::value;
        reader.ReadContainerBegin(count, element_type);
        for (uint32_t i = 0; i < count; ++i) {
            SkipTyped<typename T::value_type>(reader);
        }
        reader.ReadContainerEnd();
    } else if constexpr (is_map<T>::value) {
        RecursionGuard guard;
        uint32_t count;
        std::pair<BondDataType, BondDataType> types{get_type_id<typename T::key_type>::value,
                                                    get_type_id<typename T::mapped_type>::value};
        reader.ReadContainerBegin(count, types);
        for (uint32_t i = 0; i < count; ++i) {
            SkipTyped<typename T::key_type>(reader);
            SkipTyped<typename T::mapped_type>(reader);
        }
        reader.ReadContainerEnd();
    } else {
        reader.Skip(get_type_id<T>::value);
    }
}

}  // namespace bond::detail
