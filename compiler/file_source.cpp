#include "compiler/file_source.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace certpluck::gbc {

std::optional<std::string> DiskFileSource::Read(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file && !file.eof()) {
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
