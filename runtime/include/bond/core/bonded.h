// bond::bonded<T, Reader>: a struct of type T that is still encoded, together
// with the reader positioned at its first byte. Applying a transform to it reads
// the struct. bonded<T, R&> reads through, and advances, a reader that the
// caller owns and keeps alive.
#pragma once

#include <bond/core/bond_fwd.h>

namespace bond {

template <typename T, typename Reader>
class bonded<T, Reader&> {
public:
    using value_type = T;
    using reader_type = Reader;

    explicit bonded(Reader& reader) noexcept : _reader(&reader) {}

    Reader& GetReader() const noexcept { return *_reader; }

private:
    Reader* _reader;
};

}  // namespace bond
