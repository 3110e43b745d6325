// certpluck-gbc: the schema compiler's program. Only here are the standard
// streams and the exit status touched.
#include "compiler/command_line.h"
#include "compiler/compile.h"
#include "compiler/cpp/generate.h"

#include <fmt/format.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <pthread.h>
#include <thread>

namespace {

using namespace certpluck::gbc;

// The installed import folder, found from where the program is, so that an
// installation moved elsewhere still finds the library's own schema files.
std::string DefaultImportDir()
{
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    return (program.parent_path().parent_path() / "share" / "certpluck" / "import").string();
}

// The JSON AST writer recurses once for each user type nested in another,
// which a long chain of records can take as deep as its length: each worker
// gets a stack that is ample for that.
constexpr size_t worker_stack_bytes = size_t{512} << 20;

void* RunWorker(void* work)
{
    (*static_cast<std::function<void()>*>(work))();
    return nullptr;
}

void RunWorkers(unsigned count, std::function<void()> work)
{
    std::vector<pthread_t> threads;
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, worker_stack_bytes);
    for (unsigned i = 0; i < count; ++i) {
        pthread_t thread;
        if (pthread_create(&thread, &attributes, RunWorker, &work) == 0) {
            threads.push_back(thread);
        }
    }
    pthread_attr_destroy(&attributes);
    if (threads.empty()) {
        work();
    }
    for (pthread_t thread : threads) {
        pthread_join(thread, nullptr);
    }
}

int CompileSchemas(const Options& options)
{
    CompileSettings settings;
    settings.import_dirs = options.import_dirs;
    if (std::string installed = DefaultImportDir(); !installed.empty()) {
        settings.import_dirs.push_back(std::move(installed));
    }
    settings.output_dir = options.output_dir;
    settings.max_output_bytes = options.max_output_mib << 20;
    std::vector<CompileResult> results(options.files.size());
    std::atomic<size_t> next{0};
    const auto work = [&] {
        DiskFileSource files;
        for (size_t index = next++; index < options.files.size(); index = next++) {
            try {
                const std::string& file = options.files[index];
                results[index] = options.command == Command::cpp ? cpp::CompileToCpp(file, settings, options.cpp, files)
                                                                 : CompileToJsonAst(file, settings, files);
            } catch (const std::exception& error) {
                results[index] = {false, fmt::format("certpluck-gbc: {}: {}\n", options.files[index], error.what())};
            }
        }
    };
    const int processors = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    const auto jobs = static_cast<unsigned>(options.jobs > 0 ? options.jobs : std::max(1, processors + options.jobs));
    RunWorkers(static_cast<unsigned>(std::min<size_t>(jobs, options.files.size())), work);
    int status = 0;
    for (const CompileResult& result : results) {
        std::fputs(result.report.c_str(), stderr);
        status = result.succeeded ? status : 1;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    try {
        options = ReadCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        std::fprintf(stderr, "certpluck-gbc: %s\n", error.what());
        return 1;
    }
    if (options.help) {
        std::fputs(HelpText().c_str(), stdout);
        return 0;
    }
    if (options.version || options.numeric_version) {
        std::puts(options.version ? VersionText().c_str() : NumericVersion().c_str());
        return 0;
    }
    switch (options.command) {
    case Command::schema:
    case Command::cpp: return CompileSchemas(options);
    case Command::cs:
    case Command::java:
        std::fprintf(stderr, "certpluck-gbc: the %s command is not carried: certpluck generates C++ only\n",
                     options.command == Command::cs ? "c#" : "java");
        return 1;
    case Command::none: break;
    }
    return 1;
}
