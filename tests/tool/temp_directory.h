// A fresh directory for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace certpluck::testing {

class TempDirectory {
public:
    TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    ~TempDirectory();

    const std::filesystem::path& Path() const { return _path; }
    std::filesystem::path operator/(std::string_view name) const { return _path / name; }

    // Creates or replaces the file `name` with `bytes`.
    void WriteFile(std::string_view name, std::string_view bytes) const;
    // The whole content of the file `name`.
    std::string ReadFile(std::string_view name) const;
    bool Exists(std::string_view name) const;

private:
    std::filesystem::path _path;
};

}  // namespace certpluck::testing
