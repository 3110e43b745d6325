// The reference library's measured answers, kept in tests/testdata as
// tab-separated tables: one row per input or operation, the answer of release
// 9.0.5 and that of the library's newest head ("=" when it is 9.0.5's), and
// the rule by which our answer is held against them.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace testing_support {

struct ReferenceRow {
    int line = 0;                      // in the table file, for the failure report
    std::vector<std::string> columns;  // the columns before the two answers
    std::string legacy;                // release 9.0.5
    std::string head;                  // the newest head, "=" resolved

    const std::string& Column(size_t index) const { return columns.at(index); }
};

// Every row of `path`; lines that begin with '#' are comments.
inline std::vector<ReferenceRow> LoadReferenceTable(const std::string& path)
{
    std::vector<ReferenceRow> rows;
    std::ifstream file(path);
    EXPECT_TRUE(file.good()) << path;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, '\t');) {
            cells.push_back(cell);
        }
        EXPECT_GE(cells.size(), 3u) << path << ":" << number;
        if (cells.size() < 3) {
            continue;
        }
        ReferenceRow row;
        row.line = number;
        row.head = cells.back() == "=" ? cells[cells.size() - 2] : cells.back();
        row.legacy = cells[cells.size() - 2];
        cells.resize(cells.size() - 2);
        row.columns = std::move(cells);
        rows.push_back(std::move(row));
    }
    return rows;
}

// An answer in which the reference stopped the process or ran out of memory.
inline bool IsCrash(const std::string& answer)
{
    return answer.starts_with("ABORTED") || answer == "Exception: std::bad_alloc";
}

// The numbers of a "Read out of bounds" answer: requested, offset, length.
struct OutOfBounds {
    unsigned long requested = 0;
    unsigned long offset = 0;
    unsigned long length = 0;
};

inline bool ParseOutOfBounds(const std::string& answer, OutOfBounds& numbers)
{
    return std::sscanf(answer.c_str(), "Exception: Read out of bounds: %lu bytes requested, offset: %lu, length: %lu",
                       &numbers.requested, &numbers.offset, &numbers.length) == 3;
}

// Where ours stops at a value of several bytes that runs past the end, the
// reference may pass over it and read on inside it: sound, as long as the
// reference did not itself fail before that value.
inline bool StopsAtTruncatedValue(const std::string& ours, const std::string& reference)
{
    OutOfBounds our_numbers;
    if (!ParseOutOfBounds(ours, our_numbers) || our_numbers.requested < 2 ||
        our_numbers.offset + our_numbers.requested <= our_numbers.length) {
        return false;
    }
    OutOfBounds their_numbers;
    return !ParseOutOfBounds(reference, their_numbers) || their_numbers.offset >= our_numbers.offset;
}

// Ours agrees when it is the answer of either reference; where 9.0.5 stopped
// the process or ran out of memory, any clean end of ours is sound (and it
// ended cleanly, or the test would not be here); and ours may stop at a
// truncated value that the references read on inside.
inline bool AgreesWithReference(const std::string& ours, const ReferenceRow& row)
{
    if ((!IsCrash(row.legacy) && ours == row.legacy) || (!IsCrash(row.head) && ours == row.head)) {
        return true;
    }
    if (IsCrash(row.legacy)) {
        return true;
    }
    return StopsAtTruncatedValue(ours, row.legacy) && (IsCrash(row.head) || StopsAtTruncatedValue(ours, row.head));
}

}  // namespace testing_support
