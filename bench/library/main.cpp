// certpluck_library_bench: times the installed library's decoding, encoding,
// marshaling and re-encoding of secrets packages of several shapes, and prints
// nanoseconds per operation and MB/s (10^6 bytes of encoding per second).
//
//     certpluck_library_bench [--min-time SECONDS] [NAME...]
//
// NAMEs pick shapes (typical, list-heavy, text-heavy, bundle), operations
// (decode-cb1, ...) or kinds of operation (decode, serialize, ...); without
// any of a sort, all of that sort run. See bench/README.md.
#include "memory_floor.h"
#include "operations.h"
#include "package_shapes.h"
#include "timing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <set>
#include <string>
#include <vector>

namespace {

struct Selection {
    std::set<std::string> shapes;
    std::set<std::string> operations;
    TrialSettings settings;
};

void PrintUsage(std::FILE* stream)
{
    std::fprintf(stream,
                 "Usage: certpluck_library_bench [--min-time SECONDS] [NAME...]\n"
                 "       certpluck_library_bench --list | --help\n"
                 "NAME is a shape, an operation, or an operation's name up to its first '-'\n"
                 "(decode, unmarshal, serialize, marshal, reencode). Without a shape, every shape runs;\n"
                 "without an operation, every operation. --min-time is each trial's minimum length\n"
                 "(default 0.2 s); each figure is the best of %d trials.\n",
                 TrialSettings{}.trials);
}

void PrintNames()
{
    std::printf("shapes:");
    for (const std::string& name : ShapeNames()) {
        std::printf(" %s", name.c_str());
    }
    std::printf("\noperations:");
    for (const std::string& name : OperationNames()) {
        std::printf(" %s", name.c_str());
    }
    std::printf("\n");
}

std::string Kind(const std::string& operation)
{
    return operation.substr(0, operation.find('-'));
}

bool IsOperationWord(const std::string& word)
{
    const std::vector<std::string>& names = OperationNames();
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& name) { return name == word || Kind(name) == word; });
}

bool ParseSeconds(const std::string& text, double& seconds)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value) || value < 0) {
        return false;
    }
    seconds = value;
    return true;
}

// Returns the exit status to stop with, or -1 to go on.
int ParseArguments(int argc, char* argv[], Selection& selection)
{
    const std::vector<std::string>& shapes = ShapeNames();
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--help" || word == "-h") {
            PrintUsage(stdout);
            return 0;
        }
        if (word == "--list") {
            PrintNames();
            return 0;
        }
        if (word == "--min-time" || word.starts_with("--min-time=")) {
            std::string value;
            if (word == "--min-time") {
                if (i + 1 == argc) {
                    std::fprintf(stderr, "certpluck_library_bench: --min-time needs a number of seconds\n");
                    return 2;
                }
                value = argv[++i];
            } else {
                value = word.substr(word.find('=') + 1);
            }
            if (!ParseSeconds(value, selection.settings.min_trial_seconds)) {
                std::fprintf(stderr, "certpluck_library_bench: not a number of seconds: %s\n", value.c_str());
                return 2;
            }
        } else if (std::find(shapes.begin(), shapes.end(), word) != shapes.end()) {
            selection.shapes.insert(word);
        } else if (IsOperationWord(word)) {
            selection.operations.insert(word);
        } else {
            std::fprintf(stderr, "certpluck_library_bench: unknown shape or operation: %s\n", word.c_str());
            PrintUsage(stderr);
            return 2;
        }
    }
    return -1;
}

bool ShapeSelected(const Selection& selection, const std::string& shape)
{
    return selection.shapes.empty() || selection.shapes.count(shape) != 0;
}

bool OperationSelected(const Selection& selection, const std::string& operation)
{
    return selection.operations.empty() || selection.operations.count(operation) != 0 ||
           selection.operations.count(Kind(operation)) != 0;
}

double MegabytesPerSecond(std::uint64_t bytes, double nanoseconds)
{
    // bytes / 10^6 per (nanoseconds / 10^9)
    return static_cast<double>(bytes) * 1e3 / nanoseconds;
}

void PrintRow(const std::string& shape, const std::string& operation, std::uint64_t bytes, double nanoseconds)
{
    std::printf("%-11s %-17s %10llu %14.1f %13.1f\n", shape.c_str(), operation.c_str(),
                static_cast<unsigned long long>(bytes), nanoseconds, MegabytesPerSecond(bytes, nanoseconds));
    // Rows come seconds apart on the large shapes; show each as it is done.
    std::fflush(stdout);
}

void Run(const Selection& selection)
{
    std::printf("# best of %d trials of at least %.2f s each; MB = 10^6 bytes of the encoding read or written\n",
                selection.settings.trials, selection.settings.min_trial_seconds);
    std::printf("%-11s %-17s %10s %14s %13s\n", "shape", "operation", "bytes", "ns/op", "MB/s");
    for (const std::string& shape_name : ShapeNames()) {
        if (!ShapeSelected(selection, shape_name)) {
            continue;
        }
        const PackageShape shape = MakeShape(shape_name);
        for (const TimedOperation& operation : PrepareOperations(shape)) {
            if (OperationSelected(selection, operation.name)) {
                PrintRow(shape.name, operation.name, operation.bytes,
                         BestNanosecondsPerOperation(operation.run, selection.settings));
            }
        }
        if (shape_name == "bundle") {
            const std::size_t size = shape.record.UnmanagedCertsData.size();
            const MemoryFloor memory_floor = MeasureMemoryFloor(size, selection.settings);
            std::printf("%-11s %-17s %10llu %14.1f %13.1f  (touch fresh: %.1f ns + memcpy warm: %.1f ns)\n",
                        shape.name.c_str(), "floor", static_cast<unsigned long long>(size), memory_floor.Total(),
                        MegabytesPerSecond(size, memory_floor.Total()), memory_floor.touch_nanoseconds,
                        memory_floor.copy_nanoseconds);
        }
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    Selection selection;
    const int status = ParseArguments(argc, argv, selection);
    if (status >= 0) {
        return status;
    }
    try {
        Run(selection);
    } catch (const std::exception& failure) {
        std::fflush(stdout);
        std::fprintf(stderr, "certpluck_library_bench: %s\n", failure.what());
        return 1;
    }
    return 0;
}
