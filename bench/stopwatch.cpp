// Runs one command and records how long it took on the monotonic clock.
//
// `date +%s%N` reads the wall clock, which can be stepped while a run is being
// timed, and going through a shell for redirections would add the shell's
// start-up to only some of the commands being compared. So this helper opens
// the redirections itself, in the child, inside the timed interval, exactly
// like a shell's `< IN > OUT` would.
//
// usage: stopwatch -r RESULT [-n COUNT] [-i STDIN_FILE] [-o STDOUT_FILE] -- COMMAND [ARG...]
// RESULT receives the elapsed nanoseconds, or with -n the mean of COUNT runs
// one after the other, for commands too short to time once. The exit status is
// the command's, so a failing run stops a `set -e` script instead of producing
// a timing.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string_view>

extern char** environ;

namespace {

long long NowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

int Usage()
{
    std::fputs("usage: stopwatch -r RESULT [-n COUNT] [-i STDIN_FILE] [-o STDOUT_FILE] -- COMMAND [ARG...]\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* result = nullptr;
    const char* in = nullptr;
    const char* out = nullptr;
    long long count = 1;
    int i = 1;
    for (; i + 1 < argc; i += 2) {
        const std::string_view flag = argv[i];
        if (flag == "--")
            break;
        if (flag == "-r") {
            result = argv[i + 1];
        } else if (flag == "-i") {
            in = argv[i + 1];
        } else if (flag == "-o") {
            out = argv[i + 1];
        } else if (flag == "-n") {
            count = std::atoll(argv[i + 1]);
            if (count < 1) {
                return Usage();
            }
        } else {
            return Usage();
        }
    }
    if (result == nullptr || i >= argc || std::string_view(argv[i]) != "--" || i + 1 >= argc)
        return Usage();
    char** command = argv + i + 1;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (in != nullptr)
        posix_spawn_file_actions_addopen(&actions, 0, in, O_RDONLY, 0);
    if (out != nullptr)
        posix_spawn_file_actions_addopen(&actions, 1, out, O_WRONLY | O_CREAT | O_TRUNC, 0644);

    const long long start = NowNs();
    for (long long run = 0; run < count; ++run) {
        pid_t pid = 0;
        const int spawn_error = posix_spawnp(&pid, command[0], &actions, nullptr, command, environ);
        if (spawn_error != 0) {
            std::fprintf(stderr, "stopwatch: cannot run %s: %s\n", command[0], std::strerror(spawn_error));
            return 127;
        }
        int status = 0;
        while (waitpid(pid, &status, 0) < 0) {
            if (errno != EINTR) {
                std::perror("stopwatch: waitpid");
                return 127;
            }
        }
        if (WIFSIGNALED(status)) {
            std::fprintf(stderr, "stopwatch: %s killed by signal %d\n", command[0], WTERMSIG(status));
            return 128 + WTERMSIG(status);
        }
        if (WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "stopwatch: %s exited with status %d\n", command[0], WEXITSTATUS(status));
            return WEXITSTATUS(status);
        }
    }
    const long long elapsed = (NowNs() - start) / count;
    posix_spawn_file_actions_destroy(&actions);

    std::FILE* file = std::fopen(result, "w");
    if (file == nullptr || std::fprintf(file, "%lld\n", elapsed) < 0 || std::fclose(file) != 0) {
        std::fprintf(stderr, "stopwatch: cannot write %s\n", result);
        return 127;
    }
    return 0;
}
