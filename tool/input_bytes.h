// The whole input of a run, in memory, once. A regular file is mapped rather
// than copied: its pages come from the page cache as the decoder touches them,
// so the certificate bytes themselves are never read into the process, and they
// can go to the output straight from the file. Anything else (a pipe, a
// terminal, a file that cannot be mapped) is read into a growable buffer.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "file_descriptor.h"
#include "growable_buffer.h"

namespace certpluck {

class InputBytes {
public:
    // Where a range of the input lies in the file it was mapped from; `path` is
    // as given for the input (empty for standard input).
    struct FileRange {
        int fd;
        off_t offset;
        std::string path;
    };

    explicit InputBytes(GrowableBuffer buffer) noexcept : _buffer(std::move(buffer)) {}

    // Maps `size` bytes of `fd` from `offset` on and takes `owner` (which may hold
    // no descriptor, for a standard stream) to keep it open alongside. Empty, with
    // `owner` untouched, when the file cannot be mapped. From then on a file that
    // shrinks under the decoder ends the run with one line naming `path` and
    // status 1, rather than a crash.
    static std::optional<InputBytes> Map(FileDescriptor&& owner, int fd, off_t offset, std::size_t size,
                                         const std::string& path);

    InputBytes(InputBytes&& other) noexcept;
    InputBytes(const InputBytes&) = delete;
    InputBytes& operator=(const InputBytes&) = delete;
    InputBytes& operator=(InputBytes&&) = delete;
    ~InputBytes();

    std::span<const char> Bytes() const noexcept;

    // The file and offset that `part`, a range of Bytes(), was mapped from; empty
    // when the input was not mapped.
    std::optional<FileRange> FileRangeOf(std::span<const char> part) const noexcept;

private:
    InputBytes(FileDescriptor owner, int fd, void* mapping, std::size_t mapped_size, off_t file_offset,
               std::size_t size, std::string path) noexcept;

    std::optional<GrowableBuffer> _buffer;
    FileDescriptor _owner{-1};
    int _fd = -1;
    void* _mapping = nullptr;
    std::size_t _mapped_size = 0;
    const char* _data = nullptr;
    std::size_t _size = 0;
    off_t _file_offset = 0;
    std::string _path;
};

}  // namespace certpluck
