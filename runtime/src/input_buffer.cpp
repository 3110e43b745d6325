#include <bond/stream/input_buffer.h>

namespace bond {

void InputBuffer::ThrowOutOfBounds(uint32_t requested) const
{
    detail::ThrowReadOutOfBounds(requested, _pointer, _blob.length());
}

}  // namespace bond
