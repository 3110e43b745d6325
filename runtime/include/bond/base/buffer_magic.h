// The number a program gives each of its input buffers, so that a
// bond::ProtocolReader can tell readers apart by protocol and buffer alike: a
// reader over one's own stream goes into a bonded<T> only once its buffer has
// one. A program names its buffer's inside namespace bond:
//     BOND_DEFINE_BUFFER_MAGIC(MyInputStream, 0x534D /*MS*/);
// Two buffers given the same number do not compile.
#pragma once

#include <cstdint>
#include <type_traits>

namespace bond {

template <typename Buffer>
struct buffer_magic {
    static_assert(!std::is_same_v<Buffer, Buffer>,
                  "buffer_magic is undefined for this buffer. Make sure buffer_magic is specialized for this buffer "
                  "type.");
};

template <typename Buffer>
struct buffer_magic<Buffer&> : buffer_magic<Buffer> {};

// Defined once for each number given, so that a second buffer given it is a
// redefinition.
template <uint16_t Id>
struct unique_buffer_magic_check;

#define BOND_DEFINE_BUFFER_MAGIC(Buffer, Id)                                                                           \
    template <>                                                                                                        \
    struct unique_buffer_magic_check<Id> {};                                                                           \
    template <>                                                                                                        \
    struct buffer_magic<Buffer> : std::integral_constant<uint16_t, Id> {}

}  // namespace bond
