#include "Programs.h"

#include "Spawn.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

bool onPath(const std::string &name)
{
    const char *path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (access((std::filesystem::path(folder) / name).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

// Wine's own settings for the runs: a prefix of our own, quiet, no add-on installers, and a UTF-8
// locale, since Wine carries arguments and names through Unicode.
void prepareWine()
{
    setenv("LC_ALL", "C.UTF-8", 1);
    setenv("WINEPREFIX", BRAMWICK_WINEPREFIX, 0);
    setenv("WINEDEBUG", "-all", 0);
    setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 0);
    unsetenv("DISPLAY");
}

}  // namespace

std::string Program::missing() const
{
    if (access(executable.c_str(), X_OK) != 0) {
        return executable + " is not built";
    }
    if (!launcher.empty() && !onPath(launcher[0])) {
        return launcher[0] + " is not installed";
    }
    return {};
}

std::vector<std::string> Program::command(const std::vector<std::string> &arguments) const
{
    std::vector<std::string> line = launcher;
    line.push_back(executable);
    line.insert(line.end(), arguments.begin(), arguments.end());
    return line;
}

std::string Program::hostPath(const std::string &posixPath) const
{
    if (!windows) {
        return posixPath;
    }
    std::string path = "Z:" + posixPath;
    for (char &c : path) {
        c = c == '/' ? '\\' : c;
    }
    return path;
}

void PrintTo(const Program &program, std::ostream *out)
{
    *out << program.label;
}

std::vector<Program> programsUnderTest()
{
    prepareWine();
    static const TemporaryFolder memcheckLogs;
    const std::vector<std::string> memcheck = {"valgrind", "--error-exitcode=99", "--leak-check=full",
                                               "--log-file=" + memcheckLogs.path() + "/%p.log"};
    return {
        {"Native", BRAMWICK_NATIVE, {}, false, ""},
        {"Release", BRAMWICK_RELEASE, {}, false, ""},
        // A dynamically linked build: in a static one valgrind cannot see the allocator at all.
        {"Memcheck", BRAMWICK_MEMCHECK, memcheck, false, memcheckLogs.path()},
        {"WindowsX64", BRAMWICK_WINDOWS_X64, {"wine"}, true, ""},
    };
}

std::string readFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

void expectMemcheckClean(const Program &program)
{
    if (program.memcheckLogs.empty()) {
        return;
    }
    for (const auto &entry : std::filesystem::directory_iterator(program.memcheckLogs)) {
        const std::string log = readFile(entry.path().string());
        EXPECT_NE(log.find("ERROR SUMMARY: 0 errors"), std::string::npos) << log;
        EXPECT_NE(log.find("total heap usage: 0 allocs"), std::string::npos) << log;
        std::filesystem::remove(entry.path());
    }
}

std::string winePrefix()
{
    prepareWine();
    const char *prefix = std::getenv("WINEPREFIX");
    return prefix != nullptr ? prefix : "";
}

std::string projectFile(const std::string &relativePath)
{
    return readFile(std::string(BRAMWICK_SOURCE_DIR) + "/" + relativePath);
}

bool requiredEverywhere()
{
    const char *ci = std::getenv("CI");
    return ci != nullptr && std::string(ci) == "true";
}
