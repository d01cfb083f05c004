// Where the unit tables see more than the command line: the joining rule and the 511-byte limit at its
// edges, the report cut at its 246-byte buffer, the POSIX stand-in's copy bound, and never a byte written
// outside a buffer.
#include "Bramwick.h"
#include "CheckReport.h"
#include "Platform.h"

#include <gtest/gtest.h>

#include <climits>
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
    struct {
        const char *what;
        std::string parent, name, target;  // the target is empty when the input is refused
    } const joins[] = {
        {"a drive root", "C:\\", "New", "C:\\New"},
        {"a root ending in a slash", "D:/", "New", "D:/New"},
        {"a drive", "C:", "New", "C:\\New"},
        {"three letters", "abc", "New", "abc\\New"},
        {"a folder ending in a backslash", "C:\\Data\\", "New", "C:\\Data\\New"},
        {"an empty parent", "", "New", "\\New"},
        {"a lone backslash", "\\", "New", "\\New"},
        {"an empty name", "C:\\Data", "", "C:\\Data\\"},
        {"bytes of any code page", "C:\\Dat\xE9n", "\x80\xFF", "C:\\Dat\xE9n\\\x80\xFF"},
        {"a parent filling the target with its separator", p510, "", p510 + "\\"},
        {"a parent one byte too long for its separator", p510 + "p", "", ""},
        {"a parent filling the target with its own separator", p510 + "\\", "", p510 + "\\"},
        {"a name filling the target", "", p510, "\\" + p510},
        {"a name one byte too long", "", p510 + "n", ""},
        {"both filling the target", n255, n255, n255 + "\\" + n255},
        {"both one byte too long", n255, n255 + "n", ""},
    };
    for (const auto &join : joins) {
        SCOPED_TRACE(join.what);
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
    struct {
        const char *what;
        std::size_t conditionLength, fileLength;
        std::uint32_t line;
    } const reports[] = {
        {"the command's own check", 9, 16, 60},
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
