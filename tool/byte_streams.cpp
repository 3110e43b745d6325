#include "byte_streams.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "failures.h"
#include "file_descriptor.h"

namespace certpluck {
namespace {

// Enough for most packages; larger inputs double it, which costs no copy.
constexpr std::size_t stream_start_capacity = std::size_t{1} << 20;

// A larger pipe buffer lets the processes on both ends run longer between
// switches, which moves a large stream about a quarter faster. Only advice:
// anything but a pipe, or a user at the pipe quota, keeps what it has.
void WidenPipe(int fd)
{
    ::fcntl(fd, F_SETPIPE_SZ, 1 << 20);
}

// A status that cannot be had is all zero, which is no regular file.
struct stat StatusOf(int fd)
{
    struct stat status{};
    ::fstat(fd, &status);
    return status;
}

// Only regular files lose their contents when opened for output, and only a
// regular file's identity says reliably that two names mean the same bytes.
bool SameRegularFile(const struct stat& a, const struct stat& b)
{
    return S_ISREG(a.st_mode) && S_ISREG(b.st_mode) && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The bytes that a regular file holds after the current offset (standard input
// may have been read from already); 0 for a stream, whose size is unknown.
std::uint64_t KnownRemainingSize(int fd, const std::string& input_path)
{
    struct stat status{};
    if (::fstat(fd, &status) != 0) {
        ThrowCannotReadInput(input_path, errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return 0;
    }
    const off_t offset = std::max<off_t>(0, ::lseek(fd, 0, SEEK_CUR));
    return static_cast<std::uint64_t>(std::max<off_t>(0, status.st_size - offset));
}

InputBytes ReadAll(FileDescriptor owner, int fd, const std::string& input_path)
{
    WidenPipe(fd);
    const std::uint64_t known_size = KnownRemainingSize(fd, input_path);
    if (known_size > max_input_bytes) {
        ThrowInputTooLarge(max_input_bytes);
    }
    if (known_size > 0) {
        const off_t offset = std::max<off_t>(0, ::lseek(fd, 0, SEEK_CUR));
        if (auto mapped = InputBytes::Map(std::move(owner), fd, offset, known_size, input_path)) {
            return std::move(*mapped);
        }
    }
    // One byte beyond the known size lets the read that meets the end of the
    // file land without growing the buffer.
    GrowableBuffer buffer(known_size > 0 ? static_cast<std::size_t>(known_size) + 1 : stream_start_capacity,
                          known_size > 0);
    while (true) {
        if (buffer.FreeSpace().empty()) {
            if (buffer.Bytes().size() > max_input_bytes) {
                ThrowInputTooLarge(max_input_bytes);
            }
            buffer.Grow(static_cast<std::size_t>(
                std::min<std::uint64_t>(2 * std::uint64_t{buffer.Capacity()}, max_input_bytes + 1)));
        }
        const std::span<char> free_space = buffer.FreeSpace();
        const ssize_t count = ::read(fd, free_space.data(), free_space.size());
        if (count > 0) {
            buffer.Commit(static_cast<std::size_t>(count));
        } else if (count == 0) {
            return InputBytes(std::move(buffer));
        } else if (errno != EINTR) {
            ThrowCannotReadInput(input_path, errno);
        }
    }
}

void WriteAll(int fd, std::span<const char> bytes, const std::string& output_path)
{
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(count));
        } else if (count == 0) {
            // A device that takes nothing would have us loop forever.
            ThrowCannotWriteOutput(output_path, ENOSPC);
        } else if (errno != EINTR) {
            ThrowCannotWriteOutput(output_path, errno);
        }
    }
}

// The errors that say only that this pair of files cannot be copied between in
// the kernel; the bytes then go through memory instead.
bool CannotCopyInKernel(int error)
{
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EBADF;
}

// Copies `size` bytes from where `origin` says into `out_fd` in the kernel:
// copy_file_range between regular files (which may share the blocks instead of
// copying them), sendfile into anything else. False, with nothing written, when
// the kernel cannot do it for these files. Throws for a failed write, and for an
// input that ends early because it was cut short in the meantime.
bool CopyFromFile(const InputBytes::FileRange& origin, std::size_t size, int out_fd, const std::string& output_path)
{
    // Each call moves at most a little under 2 GiB.
    constexpr std::size_t max_chunk = std::size_t{1} << 30;
    const bool to_regular_file = S_ISREG(StatusOf(out_fd).st_mode);
    off_t offset = origin.offset;
    for (std::size_t left = size; left > 0;) {
        const std::size_t chunk = std::min(left, max_chunk);
        const ssize_t count = to_regular_file ? ::copy_file_range(origin.fd, &offset, out_fd, nullptr, chunk, 0)
                                              : ::sendfile(out_fd, origin.fd, &offset, chunk);
        if (count > 0) {
            left -= static_cast<std::size_t>(count);
        } else if (count == 0) {
            ThrowInputShrank(origin.path);
        } else if (errno == EINTR) {
            continue;
        } else if (left == size && CannotCopyInKernel(errno)) {
            return false;
        } else {
            ThrowCannotWriteOutput(output_path, errno);
        }
    }
    return true;
}

}  // namespace

void CheckPaths(const std::string& input_path, const std::string& output_path)
{
    struct stat input_status{};
    if (input_path.empty()) {
        input_status = StatusOf(STDIN_FILENO);
    } else {
        const FileDescriptor input = OpenFile(input_path, O_RDONLY);
        if (!input.IsOpen()) {
            ThrowInvalidInputFile(input_path);
        }
        input_status = StatusOf(input.Get());
    }
    if (output_path.empty()) {
        return;
    }
    // Opening the output truncates it, so the comparison must come first.
    struct stat output_status{};
    if (::stat(output_path.c_str(), &output_status) == 0 && SameRegularFile(input_status, output_status)) {
        ThrowSameFile(output_path);
    }
    if (!OpenFile(output_path, O_WRONLY | O_CREAT | O_TRUNC).IsOpen()) {
        ThrowInvalidOutputFile(output_path);
    }
}

InputBytes ReadInputBytes(const std::string& input_path)
{
    if (input_path.empty()) {
        return ReadAll(FileDescriptor(-1), STDIN_FILENO, input_path);
    }
    FileDescriptor input = OpenFile(input_path, O_RDONLY);
    if (!input.IsOpen()) {
        ThrowCannotReadInput(input_path, errno);
    }
    const int fd = input.Get();
    return ReadAll(std::move(input), fd, input_path);
}

void WriteOutputBytes(const std::string& output_path, std::span<const char> bytes,
                      const std::optional<InputBytes::FileRange>& origin)
{
    if (output_path.empty() && bytes.empty()) {
        return;
    }
    // Not truncated on opening but cut to length after the write: ext4 takes a
    // truncation followed by writes for a file being replaced and makes close
    // wait until the whole output is on its way to the disk.
    FileDescriptor output =
        output_path.empty() ? FileDescriptor(STDOUT_FILENO) : OpenFile(output_path, O_WRONLY | O_CREAT);
    if (!output.IsOpen()) {
        ThrowCannotWriteOutput(output_path, errno);
    }
    WidenPipe(output.Get());
    if (!origin || !CopyFromFile(*origin, bytes.size(), output.Get(), output_path)) {
        WriteAll(output.Get(), bytes, output_path);
    }
    if (S_ISREG(StatusOf(output.Get()).st_mode) && ::ftruncate(output.Get(), static_cast<off_t>(bytes.size())) != 0) {
        ThrowCannotWriteOutput(output_path, errno);
    }
    if (const int error = output.Close(); error != 0) {
        ThrowCannotWriteOutput(output_path, error);
    }
}

void WriteStandardOutput(std::string_view text)
{
    WriteAll(STDOUT_FILENO, text, "");
}

}  // namespace certpluck
