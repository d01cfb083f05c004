// The builds of the command that the end-to-end tests run, and how to reach each one.
#pragma once

#include <ostream>
#include <string>
#include <vector>

struct Program {
    std::string label;                  // names the test instances: Native, Release, Memcheck, WindowsX64
    std::string executable;             // the built file
    std::vector<std::string> launcher;  // what starts it: nothing, or wine
    bool windows = false;
    std::string memcheckLogs;  // for runs under valgrind: the folder its reports go to

    // Why it cannot run here, or empty when it can.
    std::string missing() const;
    // The command line that runs it with `arguments`.
    std::vector<std::string> command(const std::vector<std::string> &arguments) const;
    // A folder of this machine as the program names it: Windows programs see it on drive Z:.
    std::string hostPath(const std::string &posixPath) const;
};

// Test output names the build, not its bytes.
void PrintTo(const Program &program, std::ostream *out);

std::vector<Program> programsUnderTest();

// For a program run under valgrind: every run since the last call had no memory error and no heap use.
void expectMemcheckClean(const Program &program);

// The path of the temporary Wine prefix the Windows programs run in.
std::string winePrefix();

std::string readFile(const std::string &path);

// Text of a source file of the project, e.g. "src/Bramwick.cpp".
std::string projectFile(const std::string &relativePath);

// Skips the current test when `program` cannot run here; under CI=true that is a failure instead.
#define REQUIRE_RUNNABLE(program)                                                                            \
    do {                                                                                                     \
        const std::string why = (program).missing();                                                         \
        if (!why.empty()) {                                                                                  \
            if (requiredEverywhere()) {                                                                      \
                FAIL() << why;                                                                               \
            }                                                                                                \
            GTEST_SKIP() << why;                                                                             \
        }                                                                                                    \
    } while (false)

bool requiredEverywhere();
