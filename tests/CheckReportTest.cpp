// The failure report: its wording, its bound, its framing and its exit status.
#include "CheckReport.h"
#include "Spawn.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string wholeReport(const std::string &condition, const std::string &file, const std::string &line)
{
    return "Assertion failed: " + condition + ", file " + file + ", line " + line;
}

struct Assembly {
    std::size_t conditionLength;
    std::size_t fileLength;
    std::uint32_t line;
};

class Assembling : public testing::TestWithParam<Assembly> {};

TEST_P(Assembling, KeepsAsMuchOfTheWholeReportAsFitsAndNothingBeyond)
{
    struct {
        char report[REPORT_BUFFER_SIZE];
        char guard[32];
    } buffer;
    std::memset(&buffer, '#', sizeof buffer);
    const std::string condition(GetParam().conditionLength, 'c');
    const std::string file(GetParam().fileLength, 'f');

    assembleReport(buffer.report, condition.c_str(), file.c_str(), GetParam().line);

    const std::string whole = wholeReport(condition, file, std::to_string(GetParam().line));
    EXPECT_EQ(std::string(buffer.report), whole.substr(0, REPORT_BUFFER_SIZE - 1));
    EXPECT_EQ(std::string(buffer.guard, sizeof buffer.guard), std::string(sizeof buffer.guard, '#'));
}

// 41 bytes come before the line number besides the file path; 245 fit.
INSTANTIATE_TEST_SUITE_P(Bounds, Assembling,
                         testing::Values(Assembly{9, 16, 60}, Assembly{9, 16, 0}, Assembly{9, 0, 4294967295U},
                                         Assembly{0, 0, 7}, Assembly{9, 194, 4294967295U},
                                         Assembly{9, 195, 4294967295U}, Assembly{9, 203, 60},
                                         Assembly{9, 204, 60}, Assembly{9, 300, 1}, Assembly{250, 0, 1},
                                         Assembly{227, 0, 1}, Assembly{1000, 1000, 4294967295U}));

struct Ended {
    int exitStatus = -1;
    std::string errors;
};

// Runs `report` in a child whose standard error is a pipe, and collects what it wrote and how it ended.
template <typename Report> Ended inChild(Report report)
{
    int errors[2];
    EXPECT_EQ(pipe(errors), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(errors[0]);
        dup2(errors[1], STDERR_FILENO);
        report();
        _exit(99);  // not reached: a report never returns
    }
    close(errors[1]);
    Ended ended;
    ended.errors = readAll(errors[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ended.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return ended;
}

TEST(FailureReport, IsOneFramedLineThenTheTerminationLineAndStatus3)
{
    const Ended ended = inChild([] { reportFailedCheck("argc == 3", "src/Bramwick.cpp", 60); });
    EXPECT_EQ(ended.exitStatus, 3);
    EXPECT_EQ(ended.errors, "\r\nAssertion failed: argc == 3, file src/Bramwick.cpp, line 60\r\n"
                            "\r\nAbnormal program termination\r\n");
}

TEST(FailureReport, CheckPassesItsConditionTextAndPosition)
{
    const int line = __LINE__ + 1;
    const Ended ended = inChild([] { CHECK(1 + 1 == 3); });
    EXPECT_EQ(ended.exitStatus, 3);
    EXPECT_EQ(ended.errors, "\r\nAssertion failed: 1 + 1 == 3, file tests/CheckReportTest.cpp, line " +
                                std::to_string(line) + "\r\n\r\nAbnormal program termination\r\n");
    EXPECT_EQ(inChild([] { CHECK(2 + 2 == 4); }).exitStatus, 99);  // a condition that holds goes on
}

}  // namespace
