#include "temp_directory.h"

#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace certpluck::testing {

TempDirectory::TempDirectory()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "certpluck-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a directory from " + pattern);
    }
    _path = pattern;
}

TempDirectory::~TempDirectory()
{
    std::error_code ignored;
    std::filesystem::remove_all(_path, ignored);
}

void TempDirectory::WriteFile(std::string_view name, std::string_view bytes) const
{
    std::ofstream file(_path / name, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
        throw std::runtime_error("cannot write " + (_path / name).string());
    }
}

std::string TempDirectory::ReadFile(std::string_view name) const
{
    std::ifstream file(_path / name, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + (_path / name).string());
    }
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool TempDirectory::Exists(std::string_view name) const
{
    return std::filesystem::exists(std::filesystem::symlink_status(_path / name));
}

}  // namespace certpluck::testing
