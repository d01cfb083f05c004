// The built command, run as users run it: every outcome, on every build that can run here.
#include "Programs.h"
#include "Spawn.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

namespace fs = std::filesystem;

namespace {

// The exact byte stream of the argument check's report, at the line of the check in the source.
std::string expectedReport()
{
    const std::string source = projectFile("src/Bramwick.cpp");
    const std::size_t at = source.find("CHECK(argc == 3);");
    EXPECT_NE(at, std::string::npos);
    const auto line = 1 + std::count(source.begin(), source.begin() + static_cast<long>(at), '\n');
    return "\r\nAssertion failed: argc == 3, file src/Bramwick.cpp, line " + std::to_string(line) +
           "\r\n\r\nAbnormal program termination\r\n";
}

class EndToEnd : public testing::TestWithParam<Program> {
  protected:
    void SetUp() override
    {
        REQUIRE_RUNNABLE(GetParam());
        fs::create_directories(at("sub"));
        fs::create_directories(at("abc"));
        fs::create_directories(at("existing"));
        std::ofstream(at("file")) << "keep";
        fs::create_symlink("nowhere", at("dangling"));
    }

    // Every run of the test, however it was started, must have been clean under valgrind.
    void TearDown() override { expectMemcheckClean(GetParam()); }

    std::string at(const std::string &relative) const { return folder.path() + "/" + relative; }

    RunResult run(const std::vector<std::string> &arguments, const Hostility &hostility = {}) const
    {
        return spawn(GetParam().command(arguments), folder.path(), hostility);
    }

    TemporaryFolder folder;
};

struct Case {
    const char *title;
    std::vector<std::string> arguments;
    int exitStatus;
    const char *directoryAfter;  // relative to the test folder: a directory stands there afterwards
    const char *absentAfter;     // relative to the test folder: nothing stands there afterwards
};

// Every path under `folder`, with its kind: what a run may have changed.
std::set<std::string> listing(const std::string &folder)
{
    std::set<std::string> entries;
    for (const auto &entry : fs::recursive_directory_iterator(folder)) {
        entries.insert(entry.path().string() + (entry.is_directory() ? "/" : ""));
    }
    return entries;
}

const Case cases[] = {
    {"no arguments", {}, 3, nullptr, "New"},
    {"one argument", {"sub"}, 3, nullptr, "sub/New"},
    {"three arguments", {"sub", "New", "extra"}, 3, nullptr, "sub/New"},
    {"folder made here", {".", "New"}, 0, "New", nullptr},
    {"folder made in a subfolder", {"sub", "New"}, 0, "sub/New", "sub/sub"},
    {"separator added after a short parent", {"abc", "New"}, 0, "abc/New", "abcNew"},
    {"parent ending in a backslash", {"sub\\", "Back"}, 0, "sub/Back", nullptr},
    {"parent ending in a slash", {"sub/", "Slash"}, 0, "sub/Slash", nullptr},
    {"folder already there", {".", "existing"}, 0, "existing", nullptr},
    {"empty name names the parent itself", {"sub", ""}, 0, "sub", nullptr},
    {"file of that name", {".", "file"}, 1, nullptr, nullptr},
    {"dangling link of that name", {".", "dangling"}, 1, nullptr, "nowhere"},
    {"parent missing", {"missing", "New"}, 1, nullptr, "missing"},
    {"spaces kept", {"sub", "two  spaces"}, 0, "sub/two  spaces", "sub/two"},
    {"raw non-ASCII bytes kept", {"sub", "caf\xC3\xA9"}, 0, "sub/caf\xC3\xA9", nullptr},
    {"name of 512 bytes", {".", std::string(512, 'n')}, 1, nullptr, nullptr},
    {"parent of 100000 bytes", {std::string(100000, 'p'), "New"}, 1, nullptr, nullptr},
};

TEST_P(EndToEnd, EveryOutcome)
{
    const std::string report = expectedReport();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.title);
        const std::set<std::string> before = listing(folder.path());
        const RunResult result = run(c.arguments);
        if (c.exitStatus != 0) {
            EXPECT_EQ(listing(folder.path()), before);  // a failed run changes nothing
        }
        EXPECT_EQ(result.exitStatus, c.exitStatus);
        EXPECT_EQ(result.output, "");
        EXPECT_EQ(result.errors, c.exitStatus == 3 ? report : "");
        if (c.directoryAfter != nullptr) {
            EXPECT_TRUE(fs::is_directory(at(c.directoryAfter)));
        }
        if (c.absentAfter != nullptr) {
            EXPECT_FALSE(fs::exists(fs::symlink_status(at(c.absentAfter))));
        }
    }
    std::ifstream file(at("file"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "keep");
    EXPECT_TRUE(fs::is_symlink(at("dangling")));
    EXPECT_FALSE(fs::exists(at("nowhere")));
}

TEST_P(EndToEnd, PlaceEvenRootCannotCreateIn)
{
    const RunResult result = run({GetParam().hostPath("/proc"), "bramwick-test"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.errors, "");
    EXPECT_FALSE(fs::exists("/proc/bramwick-test"));
}

TEST_P(EndToEnd, ReportEndsWithStatus3WhateverBecomesOfStandardError)
{
    for (const StandardError mode : {StandardError::Closed, StandardError::Full, StandardError::BrokenPipe}) {
        SCOPED_TRACE(static_cast<int>(mode));
        const RunResult result = run({"only one"}, {mode});
        EXPECT_EQ(result.signal, 0);
        EXPECT_EQ(result.exitStatus, 3);
        EXPECT_EQ(result.output, "");
    }
}

// Half the runs race for one target, the others (100) each make their own: every one ends with 0.
TEST_P(EndToEnd, ConcurrentRunsAllSucceed)
{
    const std::size_t runs = GetParam().memcheckLogs.empty() ? 200 : 10;  // valgrind is slow to start
    std::vector<RunResult> results(runs);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < runs; ++i) {
        const std::string name = i % 2 == 0 ? "Shared" : "Own" + std::to_string(i);
        threads.emplace_back([&, i, name] {
            results[i] = spawn(GetParam().command({"sub", name}), folder.path());
        });
    }
    for (std::thread &thread : threads) {
        thread.join();
    }
    for (std::size_t i = 0; i < runs; ++i) {
        EXPECT_EQ(results[i].exitStatus, 0);
        EXPECT_TRUE(fs::is_directory(at(i % 2 == 0 ? "sub/Shared" : "sub/Own" + std::to_string(i))));
    }
}

struct HostileStart {
    const char *title;
    Hostility hostility;
    std::vector<std::string> arguments;
    int exitStatus;
};

const HostileStart hostileStarts[] = {
    {"no argument vector at all", {StandardError::Captured, true}, {}, 3},
    {"standard input closed", {StandardError::Captured, false, true}, {".", "Input"}, 0},
    {"standard input closed, report", {StandardError::Captured, false, true}, {}, 3},
    {"empty environment", {StandardError::Captured, false, false, true}, {".", "Environment"}, 0},
    {"empty environment, report", {StandardError::Captured, false, false, true}, {"x"}, 3},
};

TEST_P(EndToEnd, HostileStartsStillGiveTheRightOutcome)
{
    const std::string report = expectedReport();
    for (const HostileStart &start : hostileStarts) {
        SCOPED_TRACE(start.title);
        // Only a program started directly can be given no argument vector; Wine needs its environment.
        if ((start.hostility.withoutArguments && !GetParam().launcher.empty()) ||
            (start.hostility.emptyEnvironment && GetParam().windows)) {
            continue;
        }
        const RunResult result = run(start.arguments, start.hostility);
        EXPECT_EQ(result.exitStatus, start.exitStatus);
        EXPECT_EQ(result.output, "");
        EXPECT_EQ(result.errors, start.exitStatus == 3 ? report : "");
        if (start.exitStatus == 0) {
            EXPECT_TRUE(fs::is_directory(at(start.arguments[1])));
        }
    }
}

// Wine does its file work in its server, outside the run's private mount: native builds only.
class NativeEndToEnd : public EndToEnd {};

TEST_P(NativeEndToEnd, ReadOnlyMountIsRefusedAndUnchanged)
{
    fs::create_directories(at("mount"));
    std::ofstream(at("mount/underneath")) << "hidden by the mount";
    const std::set<std::string> before = listing(folder.path());
    // A private mount namespace, so the read-only mount is seen by this run alone.
    std::vector<std::string> command = {
        "unshare", "-m", "sh", "-c", "mount -t tmpfs -o ro none mount || exit 77; exec \"$@\"", "sh"};
    for (const std::string &part : GetParam().command({"mount", "New"})) {
        command.push_back(part);
    }
    const RunResult result = spawn(command, folder.path());
    if (result.exitStatus == 77) {
        GTEST_SKIP() << "no private read-only mount here: " << result.errors;
    }
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(listing(folder.path()), before);
}

const auto label = [](const testing::TestParamInfo<Program> &param) { return param.param.label; };
INSTANTIATE_TEST_SUITE_P(Builds, EndToEnd, testing::ValuesIn(programsUnderTest()), label);

std::vector<Program> nativePrograms()
{
    std::vector<Program> programs = programsUnderTest();
    programs.erase(
        std::remove_if(programs.begin(), programs.end(), [](const Program &p) { return p.windows; }),
        programs.end());
    return programs;
}
INSTANTIATE_TEST_SUITE_P(Builds, NativeEndToEnd, testing::ValuesIn(nativePrograms()), label);

// The joined path may have 511 bytes, not 512: the same rule at the edge, on the native builds.
TEST(EndToEndLimits, JoinedPathOf511BytesIsMadeAnd512IsRefused)
{
    TemporaryFolder folder;
    std::string parent = ".";
    while (parent.size() < 400) {
        parent += "/" + std::string(99, 'd');
    }
    const fs::path deep = fs::path(folder.path()) / parent;
    fs::create_directories(deep);
    const std::size_t room = 511 - parent.size() - 1;
    for (const Program &program : nativePrograms()) {
        if (!program.missing().empty()) {
            continue;
        }
        SCOPED_TRACE(program.label);
        const std::string fits(room, 'a');
        const std::string over(room + 1, 'b');
        EXPECT_EQ(spawn(program.command({parent, fits}), folder.path()).exitStatus, 0);
        EXPECT_TRUE(fs::is_directory(deep / fits));
        EXPECT_EQ(spawn(program.command({parent, over}), folder.path()).exitStatus, 1);
        EXPECT_FALSE(fs::exists(deep / over));
        fs::remove(deep / fits);
        expectMemcheckClean(program);
    }
}

}  // namespace
