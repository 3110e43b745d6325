#include "file_descriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace certpluck {

FileDescriptor::~FileDescriptor()
{
    if (IsOpen()) {
        ::close(_fd);
    }
}

int FileDescriptor::Close() noexcept
{
    // Linux releases the descriptor even when close fails, so it is never retried.
    return ::close(std::exchange(_fd, -1)) == 0 ? 0 : errno;
}

FileDescriptor OpenFile(const std::string& path, int flags)
{
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return FileDescriptor(fd);
}

}  // namespace certpluck
