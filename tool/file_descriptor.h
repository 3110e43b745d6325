// An owned POSIX file descriptor, so that no way out of a function leaks one.
#pragma once

#include <string>
#include <utility>

namespace certpluck {

class FileDescriptor {
public:
    // Takes ownership of `fd`; a negative value means "not open".
    explicit FileDescriptor(int fd) noexcept : _fd(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : _fd(std::exchange(other._fd, -1)) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor& operator=(FileDescriptor&&) = delete;
    ~FileDescriptor();

    bool IsOpen() const noexcept { return _fd >= 0; }
    int Get() const noexcept { return _fd; }

    // Closes the descriptor now. Returns 0, or the errno of a failed close: some
    // file systems report a write error only here, so a writer must look.
    int Close() noexcept;

private:
    int _fd;
};

// Opens `path` with `flags` (O_CLOEXEC added; mode 0666 before the umask when
// creating), retrying when interrupted. A failure gives a descriptor that is
// not open, with errno set.
FileDescriptor OpenFile(const std::string& path, int flags);

}  // namespace certpluck
