#include "compiler/file_source.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace certpluck::gbc {

bool DiskFileSource::Exists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::optional<std::string> DiskFileSource::Read(const std::string& path)
{
    if (!Exists(path)) {
        return std::nullopt;
    }
    // Read in one piece at the size the file has, rather than a character
    // at a time.
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (size < 0) {
        throw std::runtime_error("cannot read " + path);
    }
    std::string text(static_cast<size_t>(size), '\0');
    file.seekg(0);
    if (!file.read(text.data(), size)) {
        throw std::runtime_error("cannot read " + path);
    }
    return text;
}

std::string DiskFileSource::Identity(const std::string& path)
{
    std::error_code error;
    const auto canonical = std::filesystem::weakly_canonical(path, error);
    return error ? std::filesystem::path(path).lexically_normal().string() : canonical.string();
}

void MemoryFileSource::Add(const std::string& path, std::string text)
{
    _files[Identity(path)] = std::move(text);
}

bool MemoryFileSource::Exists(const std::string& path)
{
    return _files.count(Identity(path)) != 0;
}

std::optional<std::string> MemoryFileSource::Read(const std::string& path)
{
    const auto found = _files.find(Identity(path));
    if (found == _files.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::string MemoryFileSource::Identity(const std::string& path)
{
    return std::filesystem::path(path).lexically_normal().string();
}

}  // namespace certpluck::gbc
