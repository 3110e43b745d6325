#include "run_certpluck.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <stdexcept>

#include "temp_directory.h"

namespace certpluck::testing {
namespace {

FileDescriptor OpenOrThrow(const std::filesystem::path& path, int flags)
{
    FileDescriptor file = OpenFile(path.string(), flags);
    if (!file.IsOpen()) {
        throw std::runtime_error("cannot open " + path.string());
    }
    return file;
}

std::vector<char*> ArgumentVector(const Arguments& arguments)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>("certpluck"));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

// Between fork and exec: only calls that are safe there, no allocation.
[[noreturn]] void BecomeCertpluck(char* const argv[], const std::filesystem::path& directory, int in, int out, int err)
{
    // A disposition of SIG_IGN would be inherited through exec and would hide
    // whether certpluck itself guards against a closed pipe.
    std::signal(SIGPIPE, SIG_DFL);
    if (::dup2(in, STDIN_FILENO) < 0 || ::dup2(out, STDOUT_FILENO) < 0 || ::dup2(err, STDERR_FILENO) < 0 ||
        ::chdir(directory.c_str()) != 0) {
        ::_exit(126);
    }
    ::execv(CERTPLUCK_BINARY, argv);
    ::_exit(127);
}

}  // namespace

RunResult RunCertpluck(const Arguments& arguments, const std::filesystem::path& directory, ChildStreams streams)
{
    const TempDirectory capture;
    const std::vector<char*> argv = ArgumentVector(arguments);
    const FileDescriptor null_in = OpenOrThrow("/dev/null", O_RDONLY);
    const FileDescriptor captured_out = OpenOrThrow(capture / "out", O_WRONLY | O_CREAT);
    const FileDescriptor captured_err = OpenOrThrow(capture / "err", O_WRONLY | O_CREAT);
    const pid_t child = ::fork();
    if (child == 0) {
        BecomeCertpluck(argv.data(), directory, streams.in >= 0 ? streams.in : null_in.Get(),
                        streams.out >= 0 ? streams.out : captured_out.Get(), captured_err.Get());
    }
    if (child < 0) {
        throw std::runtime_error("cannot fork");
    }
    int wait_status = 0;
    rusage usage{};
    while (::wait4(child, &wait_status, 0, &usage) < 0) {
        if (errno != EINTR) {
            throw std::runtime_error("cannot wait for certpluck");
        }
    }
    RunResult result;
    result.out = capture.ReadFile("out");
    result.err = capture.ReadFile("err");
    result.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
    result.max_resident_kib = usage.ru_maxrss;
    return result;
}

FileDescriptor PipeHolding(std::string_view bytes)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        throw std::runtime_error("cannot make a pipe");
    }
    FileDescriptor read_end(ends[0]);
    const FileDescriptor write_end(ends[1]);
    if (::write(write_end.Get(), bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        throw std::runtime_error("cannot fill a pipe");
    }
    return read_end;
}

}  // namespace certpluck::testing
