#include "input_bytes.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "failures.h"

namespace certpluck {
namespace {

// A file that another process cuts short while it is mapped makes the next read
// of a page past its new end raise SIGBUS. The handler can use only what was
// made ready beforehand, so the whole report line waits here; it has the shape
// of every other failure report.
char shrink_report[8192];
std::size_t shrink_report_length = 0;

extern "C" void ReportShrunkInput(int)
{
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, shrink_report, shrink_report_length);
    ::_exit(1);
}

void GuardAgainstShrinking(const std::string& path)
{
    const std::string line = "Exception: " + CannotReadInputMessage(path, input_shrank) + "\n";
    shrink_report_length = std::min(line.size(), sizeof shrink_report);
    std::memcpy(shrink_report, line.data(), shrink_report_length);
    struct sigaction action{};
    action.sa_handler = ReportShrunkInput;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, nullptr);
}

}  // namespace

std::optional<InputBytes> InputBytes::Map(FileDescriptor&& owner, int fd, off_t offset, std::size_t size,
                                          const std::string& path)
{
    // A mapping starts on a page boundary; standard input may already be past one.
    const off_t page = ::sysconf(_SC_PAGESIZE);
    const off_t start = offset - offset % page;
    const std::size_t mapped_size = size + static_cast<std::size_t>(offset - start);
    void* mapping = ::mmap(nullptr, mapped_size, PROT_READ, MAP_PRIVATE, fd, start);
    if (mapping == MAP_FAILED) {
        return std::nullopt;
    }
    GuardAgainstShrinking(path);
    return InputBytes(std::move(owner), fd, mapping, mapped_size, offset, size, path);
}

InputBytes::InputBytes(FileDescriptor owner, int fd, void* mapping, std::size_t mapped_size, off_t file_offset,
                       std::size_t size, std::string path) noexcept
    : _owner(std::move(owner)), _fd(fd), _mapping(mapping), _mapped_size(mapped_size),
      _data(static_cast<const char*>(mapping) + (mapped_size - size)), _size(size), _file_offset(file_offset),
      _path(std::move(path))
{}

InputBytes::InputBytes(InputBytes&& other) noexcept
    : _buffer(std::move(other._buffer)), _owner(std::move(other._owner)), _fd(other._fd),
      _mapping(std::exchange(other._mapping, nullptr)), _mapped_size(other._mapped_size), _data(other._data),
      _size(other._size), _file_offset(other._file_offset), _path(std::move(other._path))
{}

InputBytes::~InputBytes()
{
    if (_mapping != nullptr) {
        ::munmap(_mapping, _mapped_size);
    }
}

std::span<const char> InputBytes::Bytes() const noexcept
{
    return _buffer ? _buffer->Bytes() : std::span<const char>(_data, _size);
}

std::optional<InputBytes::FileRange> InputBytes::FileRangeOf(std::span<const char> part) const noexcept
{
    if (_mapping == nullptr || part.empty()) {
        return std::nullopt;
    }
    return FileRange{_fd, _file_offset + (part.data() - _data), _path};
}

}  // namespace certpluck
