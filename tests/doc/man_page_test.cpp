// The manual page held to the tool: the options it names must be the ones
// certpluck accepts, its usage text the one certpluck prints, and its
// diagnostics exactly the messages certpluck can print.
#include <algorithm>
#include <cerrno>
#include <fstream>
#include <functional>
#include <new>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include <bond/core/exception.h>

#include "byte_streams.h"
#include "failures.h"
#include "hex.h"
#include "run_certpluck.h"
#include "temp_directory.h"

namespace certpluck::testing {
namespace {

using testing_support::MessageOf;

// What starts every failure line, as the page's DIAGNOSTICS says;
// RealFailuresAreListed holds the binary to it.
constexpr std::string_view failure_prefix = "Exception: ";

// A run of text in one kind of font: either literal text, or (in italics) a
// stand-in for a value that changes from run to run.
struct Piece {
    std::string text;
    bool stand_in = false;
};

// Splits a line of the page's roff source into pieces by font, with the
// escapes that the page uses resolved. An escape it does not know fails the
// test rather than be read wrongly.
std::vector<Piece> ParseRoff(std::string_view line)
{
    std::vector<Piece> pieces(1);
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (line[at] != '\\') {
            pieces.back().text += line[at];
            continue;
        }
        const std::string_view escape = line.substr(at + 1, 1);
        if (escape == "f" && at + 2 < line.size()) {
            const bool stand_in = line[at + 2] == 'I';
            if (stand_in != pieces.back().stand_in) {
                pieces.push_back({"", stand_in});
            }
            at += 2;
        } else if (escape == "-") {
            pieces.back().text += '-';
            ++at;
        } else if (escape == "&") {
            ++at;
        } else if (line.substr(at + 1, 3) == "(aq") {
            pieces.back().text += '\'';
            at += 3;
        } else {
            ADD_FAILURE() << "unknown roff escape in: " << line;
            ++at;
        }
    }
    return pieces;
}

std::string PlainText(std::string_view line)
{
    std::string text;
    for (const Piece& piece : ParseRoff(line)) {
        text += piece.text;
    }
    return text;
}

// A pattern that matches the lines a page entry describes, whatever the values
// of the run.
std::regex PatternOf(std::string_view line)
{
    static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
    std::string pattern;
    for (const Piece& piece : ParseRoff(line)) {
        pattern += piece.stand_in ? std::string(".+") : std::regex_replace(piece.text, special, R"(\$&)");
    }
    return std::regex(pattern);
}

// The lines of one section (.SH) of the page, without the heading.
std::vector<std::string> Section(std::string_view name)
{
    std::ifstream file(MAN_PAGE);
    EXPECT_TRUE(file) << MAN_PAGE;
    std::vector<std::string> lines;
    bool inside = false;
    std::string line;
    while (std::getline(file, line)) {
        if (line.starts_with(".SH ")) {
            std::string heading = line.substr(4);
            std::erase(heading, '"');
            inside = heading == name;
        } else if (inside) {
            lines.push_back(line);
        }
    }
    EXPECT_FALSE(lines.empty()) << "no section " << name;
    return lines;
}

// The tags of a section: the line after each .TP.
std::vector<std::string> Tags(std::string_view section)
{
    const std::vector<std::string> lines = Section(section);
    std::vector<std::string> tags;
    for (std::size_t index = 0; index + 1 < lines.size(); ++index) {
        if (lines[index] == ".TP") {
            tags.push_back(lines[index + 1]);
        }
    }
    return tags;
}

// The options named on a line, with or without a roff request before them.
std::vector<std::string> OptionsIn(const std::string& line)
{
    static const std::regex option(R"((?:^|[\s"])(--?[a-z][a-z-]*))");
    std::vector<std::string> options;
    const std::string text = PlainText(line);
    for (auto match = std::sregex_iterator(text.begin(), text.end(), option); match != std::sregex_iterator();
         ++match) {
        options.push_back((*match)[1]);
    }
    return options;
}

// Every line that the tool can print on standard error by itself, made by the
// functions that compose them, with values made up.
std::vector<std::string> FailureLines()
{
    const std::function<void()> failures[] = {
        [] { ThrowInvalidInputFile("in.package"); },
        [] { ThrowInvalidOutputFile("out.p7b"); },
        [] { ThrowSameFile("out.p7b"); },
        [] { ThrowCannotReadInput("in.package", EISDIR); },
        [] { ThrowCannotReadInput("", EIO); },
        [] { ThrowInputShrank("in.package"); },
        [] { ThrowInputShrank(""); },
        [] { ThrowCannotWriteOutput("out.p7b", ENOSPC); },
        [] { ThrowCannotWriteOutput("", EPIPE); },
        [] { ThrowInputTooLarge(max_input_bytes); },
        [] { bond::detail::ThrowReadOutOfBounds(5, 3, 5); },
        [] { bond::detail::ThrowUnknownDataType(); },
        [] { bond::detail::ThrowMaxRecursionDepthExceeded(); },
        [] { bond::detail::ThrowMultiplicationOverflow(); },
        [] { bond::detail::ThrowPointerOverflow(); },
        [] { throw std::bad_alloc(); },
    };
    std::vector<std::string> lines;
    for (const auto& failure : failures) {
        lines.push_back(std::string(failure_prefix) + MessageOf(failure));
    }
    return lines;
}

// The lines of standard output of a misuse: the extra words, then the usage.
std::vector<std::string> MisuseLines()
{
    const TempDirectory work;
    const RunResult result = RunCertpluck({"a", "b"}, work.Path());
    EXPECT_EQ(result.status, 2);
    std::vector<std::string> lines;
    std::istringstream out(result.out);
    for (std::string line; std::getline(out, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool AnyMatches(const std::vector<std::string>& lines, const std::regex& pattern)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return std::regex_match(line, pattern); });
}

TEST(ManPageTest, EveryDiagnosticIsALineTheToolPrints)
{
    std::vector<std::string> printed = FailureLines();
    const std::vector<std::string> misuse = MisuseLines();
    printed.insert(printed.end(), misuse.begin(), misuse.end());
    for (const std::string& tag : Tags("DIAGNOSTICS")) {
        EXPECT_TRUE(AnyMatches(printed, PatternOf(tag))) << "not the tool's: " << tag;
    }
}

TEST(ManPageTest, EveryFailureTheToolReportsIsListed)
{
    std::vector<std::regex> patterns;
    for (const std::string& tag : Tags("DIAGNOSTICS")) {
        patterns.push_back(PatternOf(tag));
    }
    for (const std::string& line : FailureLines()) {
        EXPECT_TRUE(std::any_of(patterns.begin(), patterns.end(),
                                [&](const std::regex& pattern) { return std::regex_match(line, pattern); }))
            << "not on the page: " << line;
    }
}

TEST(ManPageTest, RealFailuresAreListed)
{
    const TempDirectory work;
    const RunResult empty = RunCertpluck({}, work.Path());
    const RunResult missing = RunCertpluck({"--in", "missing"}, work.Path());
    for (const RunResult& result : {empty, missing}) {
        ASSERT_EQ(result.status, 1);
        ASSERT_TRUE(result.err.ends_with('\n'));
        const std::string line = result.err.substr(0, result.err.size() - 1);
        bool listed = false;
        for (const std::string& tag : Tags("DIAGNOSTICS")) {
            listed = listed || std::regex_match(line, PatternOf(tag));
        }
        EXPECT_TRUE(listed) << "not on the page: " << line;
    }
}

TEST(ManPageTest, UsageTextIsTheOneHelpPrints)
{
    std::string usage;
    bool inside = false;
    for (const std::string& line : Section("DIAGNOSTICS")) {
        if (line == ".EX" || line == ".EE") {
            inside = line == ".EX";
        } else if (inside) {
            usage += PlainText(line) + "\n";
        }
    }
    const TempDirectory work;

    const RunResult result = RunCertpluck({"--help"}, work.Path());

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(usage, result.out);
}

// The options of SYNOPSIS and OPTIONS.
std::vector<std::string> PageOptions()
{
    std::vector<std::string> options;
    for (const std::string& line : Section("SYNOPSIS")) {
        if (line.starts_with(".OP ") || line.starts_with(".B ")) {
            const std::vector<std::string> found = OptionsIn(line);
            options.insert(options.end(), found.begin(), found.end());
        }
    }
    for (const std::string& tag : Tags("OPTIONS")) {
        const std::vector<std::string> found = OptionsIn(tag);
        options.insert(options.end(), found.begin(), found.end());
    }
    return options;
}

// Whether the page shows `option` taking an argument: its tag is bold then
// italic (.BI).
bool TakesArgument(const std::string& option)
{
    for (const std::string& tag : Tags("OPTIONS")) {
        const std::vector<std::string> named = OptionsIn(tag);
        if (tag.starts_with(".BI ") && std::find(named.begin(), named.end(), option) != named.end()) {
            return true;
        }
    }
    return false;
}

TEST(ManPageTest, EveryOptionIsAcceptedByTheTool)
{
    const std::vector<std::string> options = PageOptions();
    ASSERT_FALSE(options.empty());
    for (const std::string& option : options) {
        SCOPED_TRACE(option);
        const TempDirectory work;
        Arguments arguments = {option};
        if (TakesArgument(option)) {
            arguments.push_back("file");
        }

        const RunResult result = RunCertpluck(arguments, work.Path());

        // A refused option is misuse (2); an accepted one ends in help (0) or
        // in reading the empty standard input (1).
        EXPECT_NE(result.status, 2) << result.err;
    }
}

TEST(ManPageTest, LongOptionsAreThoseOfTheUsageText)
{
    std::vector<std::string> page;
    for (const std::string& option : PageOptions()) {
        if (option.starts_with("--")) {
            page.push_back(option);
        }
    }
    const TempDirectory work;
    const RunResult help = RunCertpluck({"--help"}, work.Path());
    std::vector<std::string> usage = OptionsIn(help.out);
    ASSERT_FALSE(usage.empty());

    std::sort(page.begin(), page.end());
    page.erase(std::unique(page.begin(), page.end()), page.end());
    std::sort(usage.begin(), usage.end());

    EXPECT_EQ(page, usage);
}

}  // namespace
}  // namespace certpluck::testing
