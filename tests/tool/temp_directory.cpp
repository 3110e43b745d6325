#include "tests/tool/temp_directory.h"

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
    path_ = pattern;
}

TempDirectory::~TempDirectory()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void TempDirectory::WriteFile(std::string_view name, std::string_view bytes) const
{
    std::ofstream file(path_ / name, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
        throw std::runtime_error("cannot write " + (path_ / name).string());
    }
}

std::string TempDirectory::ReadFile(std::string_view name) const
{
    std::ifstream file(path_ / name, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + (path_ / name).string());
    }
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool TempDirectory::Exists(std::string_view name) const
{
    return std::filesystem::exists(std::filesystem::symlink_status(path_ / name));
}

}  // namespace certpluck::testing
