// Where the unit tables see more than the command line: the joining rule and the 511-byte limit at its
// edges, the report cut at its 246-byte buffer, and never a byte written outside a buffer.
#include "Bramwick.h"
#include "CheckReport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// A buffer between guard bytes, so that a write past either end shows. They are backslashes, so that a
// read before the parent's copy would pass for a separator and change the target.
template <std::size_t Size> struct Guarded {
    char before[8], buffer[Size], after[8];
    Guarded() { std::memset(this, '\\', sizeof *this); }
    bool intact() const { return std::string(before, 8) + std::string(after, 8) == std::string(16, '\\'); }
};

TEST(BufferLimits, JoiningGivesParentSeparatorAndNameOrNothing)
{
    const std::string p510(510, 'p');
    const std::string n255(255, 'n');
    // clang-format off
    struct { std::string parent, name, target; } const joins[] = {  // the target is empty when refused
        {"C:\\", "New", "C:\\New"}, {"D:/", "New", "D:/New"}, {"C:", "New", "C:\\New"}, {"abc", "New", "abc\\New"},
        {"C:\\Data", "New", "C:\\Data\\New"}, {"C:\\Data\\", "New", "C:\\Data\\New"}, {"", "New", "\\New"},
        {"C:\\Data", "", "C:\\Data\\"}, {"C:\\Dat\xE9n", "\x80\xFF", "C:\\Dat\xE9n\\\x80\xFF"},
        {p510, "", p510 + "\\"}, {p510 + "p", "", ""}, {p510 + "\\", "", p510 + "\\"}, {p510 + "/", "n", ""},
        {"", p510, "\\" + p510}, {"", p510 + "n", ""}, {n255, n255, n255 + "\\" + n255}, {n255, n255 + "n", ""},
        {std::string(100000, 'p'), "n", ""}, {"p", std::string(100000, 'n'), ""}};
    // clang-format on
    for (const auto &join : joins) {
        SCOPED_TRACE(join.parent.substr(0, 20) + " + " + join.name.substr(0, 20));
        Guarded<TEXT_BUFFER_SIZE> parent;
        Guarded<TEXT_BUFFER_SIZE> name;
        Guarded<TEXT_BUFFER_SIZE> target;
        EXPECT_EQ(composeTargetPath(join.parent.c_str(), join.name.c_str(), parent.buffer, name.buffer,
                                    target.buffer),
                  !join.target.empty());
        EXPECT_EQ(target.buffer, join.target);
        EXPECT_EQ(std::string(parent.buffer) + name.buffer, join.target);  // the separator is the parent's
        EXPECT_TRUE(parent.intact() && name.intact() && target.intact());
    }
}

TEST(BufferLimits, ReportKeepsAsMuchOfTheWholeTextAsFits)
{
    // Besides the file path, 41 bytes come before the line number; 245 fit.
    // clang-format off
    struct { std::size_t conditionLength, fileLength; std::uint32_t line; } const reports[] = {
        {9, 16, 60}, {0, 0, 0}, {9, 0, 4294967295U}, {9, 194, 4294967295U}, {9, 195, 4294967295U}, {9, 203, 60},
        {9, 204, 60}, {227, 0, 1}, {1000, 1000, 4294967295U}};
    // clang-format on
    for (const auto &r : reports) {
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

}  // namespace
