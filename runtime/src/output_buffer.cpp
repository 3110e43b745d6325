#include <bond/stream/output_buffer.h>

namespace bond {

template class OutputMemoryStream<std::allocator<char>>;

}  // namespace bond
