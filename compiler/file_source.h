// Where schema files come from: the disk for the program, memory for tests.
// Every file the compiler reads, the ones named on the command line and the
// ones they import, is read through one FileSource.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace certpluck::gbc {

class FileSource {
public:
    virtual ~FileSource() = default;
    // Whether Read would find a file there, without reading it.
    virtual bool Exists(const std::string& path) = 0;
    // The file's text, or nothing when there is no such file.
    virtual std::optional<std::string> Read(const std::string& path) = 0;
    // A name that is the same for every path to the same file, so that a
    // file imported twice is read once.
    virtual std::string Identity(const std::string& path) = 0;
};

class DiskFileSource : public FileSource {
public:
    bool Exists(const std::string& path) override;
    // Throws std::runtime_error when an existing file cannot be read.
    std::optional<std::string> Read(const std::string& path) override;
    std::string Identity(const std::string& path) override;
};

class MemoryFileSource : public FileSource {
public:
    void Add(const std::string& path, std::string text);
    bool Exists(const std::string& path) override;
    std::optional<std::string> Read(const std::string& path) override;
    std::string Identity(const std::string& path) override;

private:
    std::map<std::string, std::string> _files;
};

}  // namespace certpluck::gbc
