// The reference library's outputs for the schema's records, kept in
// tests/testdata/reference_vectors.txt as "<label> <value>" lines.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

namespace testing_support {

inline const std::map<std::string, std::string>& ReferenceVectors()
{
    static const std::map<std::string, std::string> vectors = [] {
        std::map<std::string, std::string> loaded;
        std::ifstream file(REFERENCE_VECTORS);
        EXPECT_TRUE(file.good()) << REFERENCE_VECTORS;
        std::string line;
        while (std::getline(file, line)) {
            // Bracketed labels ("unmarshal.X[CB v1 + package]") hold blanks.
            const size_t bracket = line.find("] ");
            const size_t blank = bracket != std::string::npos ? bracket + 1 : line.find(' ');
            if (line.empty() || line[0] == '#' || blank == std::string::npos) {
                continue;
            }
            loaded[line.substr(0, blank)] = line.substr(blank + 1);
        }
        return loaded;
    }();
    return vectors;
}

// The value of `label`; fails the test when there is none.
inline std::string ReferenceVector(const std::string& label)
{
    const auto found = ReferenceVectors().find(label);
    EXPECT_NE(found, ReferenceVectors().end()) << label;
    return found == ReferenceVectors().end() ? std::string() : found->second;
}

}  // namespace testing_support
