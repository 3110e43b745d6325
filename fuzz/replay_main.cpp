// Runs a fuzz target over inputs without libFuzzer, so that every build
// compiles the targets and ctest replays their corpora. Arguments are files
// or directories (whose files are run in name order). A target that breaks
// its property aborts, which fails the run; so does finding no input at all,
// since a corpus that went missing would otherwise pass unnoticed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "replay: cannot read %s\n", path.c_str());
        std::exit(2);
    }
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::filesystem::path> Inputs(const std::filesystem::path& argument)
{
    if (!std::filesystem::is_directory(argument)) {
        return {argument};
    }
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(argument)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

int main(int argc, char** argv)
{
    size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& path : Inputs(argv[i])) {
            const std::vector<uint8_t> bytes = ReadFile(path);
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++count;
        }
    }
    if (count == 0) {
        std::fprintf(stderr, "replay: no input found\n");
        return 1;
    }
    std::printf("replay: %zu inputs\n", count);
    return 0;
}
