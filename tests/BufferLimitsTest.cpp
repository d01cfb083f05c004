// Where a unit test sees more than the command line: the report cut at its 246-byte buffer, the POSIX
// stand-in's copy bound, and never a byte written outside a buffer. The joining rule and its 511-byte
// limit are the fuzz target's, whose seeds hold every edge.
#include "CheckReport.h"
#include "Platform.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace {

// A buffer between guard bytes, so that a write past either end shows.
template <std::size_t Size> struct Guarded {
    char before[8], buffer[Size], after[8];
    Guarded() { std::memset(this, '\\', sizeof *this); }
    bool intact() const { return std::string(before, 8) + std::string(after, 8) == std::string(16, '\\'); }
};

TEST(BufferLimits, ReportKeepsAsMuchOfTheWholeTextAsFits)
{
    // Besides the file path, 41 bytes come before the line number; 245 fit.
    struct {
        const char *what;
        std::size_t conditionLength, fileLength;
        std::uint32_t line;
    } const reports[] = {
        {"nothing but the frame", 0, 0, 0},
        {"the longest line number just fitting", 9, 194, 4294967295U},
        {"the longest line number cut by one digit", 9, 195, 4294967295U},
        {"no room left for the line number", 9, 204, 60},
        {"everything far too long", 1000, 1000, 4294967295U},
    };
    for (const auto &r : reports) {
        SCOPED_TRACE(r.what);
        const std::string condition(r.conditionLength, 'c');
        const std::string file(r.fileLength, 'f');
        std::string whole = "Assertion failed: " + condition;
        whole.append(", file ").append(file).append(", line ").append(std::to_string(r.line));
        Guarded<REPORT_BUFFER_SIZE> report;
        assembleReport(report.buffer, condition.c_str(), file.c_str(), r.line);
        EXPECT_EQ(report.buffer, whole.substr(0, REPORT_BUFFER_SIZE - 1));
        EXPECT_TRUE(report.intact());
    }
}

TEST(BufferLimits, PosixStandInRefusesAPathLongerThanItsCopy)
{
    // The command's buffers never hand it one; its copy must stop at PATH_MAX all the same.
    const std::string path(PATH_MAX, 'p');
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(CreateDirectoryA(path.c_str(), nullptr));
}

}  // namespace
