// Reading the input and writing the output: the failures that must be
// reported, the input that must not be destroyed, and the bytes that must
// arrive whole.
#include "byte_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "golden_packages.h"
#include "run_certpluck.h"
#include "temp_directory.h"

namespace certpluck::testing {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;

constexpr std::string_view device_full = "No space left on device";

// A directory with a valid package in "package".
class Workspace : public TempDirectory {
public:
    Workspace() { WriteFile("package", package); }
};

// Bytes that show where they were cut or shifted.
std::string Pattern(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t index = 0; index < size; ++index) {
        bytes[index] = static_cast<char>(index * 7 + index / 251);
    }
    return bytes;
}

TEST(ByteStreamsTest, MissingInputFileIsReportedAndTheOutputNotCreated)
{
    const Workspace work;

    const RunResult result = RunCertpluck({"--in", "missing", "--out", "out"}, work.Path());

    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Exception: Invalid input file: missing\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_FALSE(work.Exists("out"));
}

TEST(ByteStreamsTest, OutputThatCannotBeCreatedIsReported)
{
    for (const std::string output : {"no-such-directory/out", "."}) {
        SCOPED_TRACE(output);
        const Workspace work;

        const RunResult result = RunCertpluck({"--in", "package", "--out", output}, work.Path());

        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "Exception: Invalid output file: " + output + "\n");
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(work.ReadFile("package"), package);
    }
}

TEST(ByteStreamsTest, DirectoryAsInputIsAReadFailureNotAnEmptyInput)
{
    const Workspace work;
    std::filesystem::create_directory(work / "directory");

    const RunResult result = RunCertpluck({"--in", "directory", "--out", "out"}, work.Path());

    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Exception: Cannot read input file: directory: Is a directory\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(work.ReadFile("out"), "");
}

TEST(ByteStreamsTest, StandardInputThatCannotBeReadIsReported)
{
    const Workspace work;
    const FileDescriptor write_only(::open("/dev/null", O_WRONLY | O_CLOEXEC));

    const RunResult result = RunCertpluck({}, work.Path(), {.in = write_only.Get()});

    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Exception: Cannot read standard input: Bad file descriptor\n");
    EXPECT_EQ(result.status, 1);
}

TEST(ByteStreamsTest, FullDeviceAsOutputFileIsReported)
{
    const Workspace work;

    const RunResult result = RunCertpluck({"--in", "package", "--out", "/dev/full"}, work.Path());

    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Exception: Cannot write output file: /dev/full: " + std::string(device_full) + "\n");
    EXPECT_EQ(result.status, 1);
}

TEST(ByteStreamsTest, FullDeviceAsStandardOutputIsReported)
{
    const Workspace work;
    const FileDescriptor in = PipeHolding(package);
    const FileDescriptor full(::open("/dev/full", O_WRONLY | O_CLOEXEC));

    const RunResult result = RunCertpluck({}, work.Path(), {.in = in.Get(), .out = full.Get()});

    EXPECT_EQ(result.err, "Exception: Cannot write standard output: " + std::string(device_full) + "\n");
    EXPECT_EQ(result.status, 1);
}

TEST(ByteStreamsTest, ClosedPipeOnStandardOutputIsReportedNotFatal)
{
    const Workspace work;
    int ends[2];
    ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
    const FileDescriptor write_end(ends[1]);
    ::close(ends[0]);

    const RunResult result = RunCertpluck({"--in", "package"}, work.Path(), {.out = write_end.Get()});

    EXPECT_EQ(result.err, "Exception: Cannot write standard output: Broken pipe\n");
    EXPECT_EQ(result.status, 1);
}

TEST(ByteStreamsTest, InputIsNeverDestroyedByItsOwnOutput)
{
    const struct {
        Arguments arguments;
        const char* standard_input;
    } cases[] = {
        {{"--in", "package", "--out", "package"}, nullptr},
        {{"--in", "package", "--out", "./package"}, nullptr},
        {{"--in", "package", "--out", "hard-link"}, nullptr},
        {{"--in", "package", "--out", "symbolic-link"}, nullptr},
        {{"--in", "symbolic-link", "--out", "package"}, nullptr},
        {{"--out", "package"}, "package"},
        {{"--in", "", "--out", "hard-link"}, "package"},
    };
    for (const auto& [arguments, standard_input] : cases) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const Workspace work;
        std::filesystem::create_hard_link(work / "package", work / "hard-link");
        std::filesystem::create_symlink("package", work / "symbolic-link");
        const FileDescriptor in(standard_input == nullptr
                                    ? ::open("/dev/null", O_RDONLY | O_CLOEXEC)
                                    : ::open((work / standard_input).c_str(), O_RDONLY | O_CLOEXEC));

        const RunResult result = RunCertpluck(arguments, work.Path(), {.in = in.Get()});

        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "Exception: Input and output are the same file: " + arguments.back() + "\n");
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(work.ReadFile("package"), package);
        EXPECT_TRUE(std::filesystem::is_symlink(work / "symbolic-link"));
    }
}

TEST(ByteStreamsTest, MissingInputIsReportedBeforeTheSameFileCheck)
{
    const Workspace work;

    const RunResult result = RunCertpluck({"--in", "missing", "--out", "missing"}, work.Path());

    EXPECT_EQ(result.err, "Exception: Invalid input file: missing\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_FALSE(work.Exists("missing"));
}

// Opening a device for output destroys nothing, so one device on both sides is allowed.
TEST(ByteStreamsTest, SameDeviceOnBothSidesIsNoSameFile)
{
    const Workspace work;

    const RunResult result = RunCertpluck({"--in", "/dev/null", "--out", "/dev/null"}, work.Path());

    EXPECT_EQ(result.err, empty_input_failure);
    EXPECT_EQ(result.status, 1);
}

TEST(ByteStreamsTest, InputOf4GiBIsRefusedFromItsSizeWithoutReadingIt)
{
    const Workspace work;
    {
        const FileDescriptor huge(::open((work / "huge").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600));
        ASSERT_EQ(::ftruncate(huge.Get(), off_t{1} << 32), 0);
    }
    const FileDescriptor huge_input(::open((work / "huge").c_str(), O_RDONLY | O_CLOEXEC));
    const struct {
        Arguments arguments;
        int in;
    } cases[] = {
        {{"--in", "huge", "--out", "out"}, -1},
        {{"--out", "out"}, huge_input.Get()},
    };
    for (const auto& [arguments, in] : cases) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        std::filesystem::remove(work / "out");

        const RunResult result = RunCertpluck(arguments, work.Path(), {.in = in});

        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "Exception: Input too large: more than 4294967295 bytes\n");
        EXPECT_EQ(result.status, 1);
        // Looked at by size alone: a tool that let the input through could have
        // written gigabytes there, and reading them in would take long.
        EXPECT_EQ(std::filesystem::file_size(work / "out"), 0u);
        EXPECT_LT(result.max_resident_kib, 256 * 1024);
    }
}

TEST(ByteStreamsTest, FileThatVanishesBeforeTheReadIsAReadFailure)
{
    const TempDirectory work;
    const std::string path = (work / "gone").string();

    EXPECT_THAT([&] { ReadInputBytes(path); }, ThrowsMessage<std::runtime_error>(StrEq(
                                                   "Cannot read input file: " + path + ": No such file or directory")));
}

TEST(ByteStreamsTest, RegularFilesAreReadWhole)
{
    for (const std::size_t size : std::array<std::size_t, 6>{0, 1, 4095, 4096, 4097, 3 << 20}) {
        SCOPED_TRACE(size);
        const TempDirectory work;
        const std::string bytes = Pattern(size);
        work.WriteFile("input", bytes);

        const InputBytes input = ReadInputBytes((work / "input").string());

        EXPECT_EQ(std::string(input.Bytes().begin(), input.Bytes().end()), bytes);
    }
}

TEST(ByteStreamsTest, StreamsLongerThanTheFirstBufferAreReadWhole)
{
    const std::string bytes = Pattern((5 << 20) + 3);
    int ends[2];
    ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
    // Should the read fail, the read end closes first and the writer, which does
    // not let SIGPIPE end the test, stops instead of waiting forever.
    const std::jthread writer([&bytes, write_end = FileDescriptor(ends[1])] {
        sigset_t pipe_signal;
        sigemptyset(&pipe_signal);
        sigaddset(&pipe_signal, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe_signal, nullptr);
        for (std::size_t done = 0; done < bytes.size();) {
            const ssize_t count = ::write(write_end.Get(), bytes.data() + done, bytes.size() - done);
            if (count <= 0) {
                return;
            }
            done += static_cast<std::size_t>(count);
        }
    });
    const FileDescriptor read_end(ends[0]);

    const InputBytes input = ReadInputBytes("/dev/fd/" + std::to_string(read_end.Get()));

    EXPECT_EQ(std::string(input.Bytes().begin(), input.Bytes().end()), bytes);
}

TEST(ByteStreamsTest, MappedInputIsCopiedStraightFromTheFile)
{
    const TempDirectory work;
    const std::string bytes = Pattern((3 << 20) + 7);
    work.WriteFile("input", bytes);
    const InputBytes input = ReadInputBytes((work / "input").string());
    const std::span<const char> part = input.Bytes().subspan(4097, (2 << 20) + 3);
    ASSERT_TRUE(input.FileRangeOf(part).has_value());

    WriteOutputBytes((work / "out").string(), part, input.FileRangeOf(part));

    EXPECT_EQ(work.ReadFile("out"), bytes.substr(4097, (2 << 20) + 3));
}

TEST(ByteStreamsTest, InputCutShortBeforeTheCopyIsAReadFailure)
{
    const TempDirectory work;
    const std::string path = (work / "input").string();
    work.WriteFile("input", Pattern(1 << 20));
    const InputBytes input = ReadInputBytes(path);
    const std::span<const char> part = input.Bytes().subspan(4096, 500000);
    ASSERT_EQ(::truncate(path.c_str(), 8192), 0);

    EXPECT_THAT([&] { WriteOutputBytes((work / "out").string(), part, input.FileRangeOf(part)); },
                ThrowsMessage<std::runtime_error>(
                    StrEq("Cannot read input file: " + path + ": Input shrank while it was being read")));
}

// Reading a mapped page past the end of a file that shrank raises SIGBUS; the run
// ends with its one report line instead.
TEST(ByteStreamsDeathTest, InputCutShortUnderTheDecoderEndsTheRunWithAReport)
{
    const TempDirectory work;
    const std::string path = (work / "input").string();
    work.WriteFile("input", Pattern(1 << 20));
    EXPECT_EXIT(
        {
            const InputBytes input = ReadInputBytes(path);
            if (::truncate(path.c_str(), 0) == 0) {
                [[maybe_unused]] volatile char byte = input.Bytes()[600000];
            }
        },
        ::testing::ExitedWithCode(1),
        "^Exception: Cannot read input file: " + path + ": Input shrank while it was being read\n$");
}

TEST(ByteStreamsTest, OutputFileIsReplacedByTheBytes)
{
    const TempDirectory work;
    work.WriteFile("out", Pattern(10000));

    WriteOutputBytes((work / "out").string(), std::string_view("shorter"));

    EXPECT_EQ(work.ReadFile("out"), "shorter");
}

TEST(ByteStreamsTest, OutputFileThatCannotBeOpenedAtTheWriteIsReported)
{
    const TempDirectory work;
    const std::string path = (work / "no-such-directory" / "out").string();

    EXPECT_THAT(
        [&] { WriteOutputBytes(path, std::string_view("bytes")); },
        ThrowsMessage<std::runtime_error>(StrEq("Cannot write output file: " + path + ": No such file or directory")));
}

}  // namespace
}  // namespace certpluck::testing
