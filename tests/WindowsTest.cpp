// What only the Windows executables have: drive letters, cmd.exe's ERRORLEVEL, the icon, the PE format.
#include "Programs.h"
#include "Spawn.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

namespace fs = std::filesystem;

namespace {

Program windowsX64()
{
    for (const Program &program : programsUnderTest()) {
        if (program.label == "WindowsX64") {
            return program;
        }
    }
    return {};
}

TEST(Windows, DriveRootGetsNoSecondSeparator)
{
    const Program program = windowsX64();
    REQUIRE_RUNNABLE(program);
    TemporaryFolder folder;
    const fs::path drive = fs::path(winePrefix()) / "dosdevices" / "m:";
    fs::remove(drive);
    fs::create_directory_symlink(folder.path(), drive);

    EXPECT_EQ(spawn(program.command({"M:\\", "New"}), folder.path()).exitStatus, 0);
    EXPECT_EQ(spawn(program.command({"M:", "Other"}), folder.path()).exitStatus, 0);
    EXPECT_EQ(spawn(program.command({"M:\\New", "Inner"}), folder.path()).exitStatus, 0);
    EXPECT_EQ(spawn(program.command({"M:\\Missing", "Inner"}), folder.path()).exitStatus, 1);
    // On drive M:, the root itself and an empty parent both name M:\, never the network path \\Rooted.
    const std::string exe = program.hostPath(program.executable);
    std::ofstream(folder.path() + "/on-m.bat") << "M:\r\n"
                                               << exe << " \\ Rooted\r\n"
                                               << exe << " \"\" Empty\r\n";
    EXPECT_EQ(spawn({"wine", "cmd", "/c", "on-m.bat"}, folder.path()).exitStatus, 0);
    fs::remove(drive);

    EXPECT_TRUE(fs::is_directory(folder.path() + "/New/Inner"));
    EXPECT_TRUE(fs::is_directory(folder.path() + "/Other"));
    EXPECT_TRUE(fs::is_directory(folder.path() + "/Rooted"));
    EXPECT_TRUE(fs::is_directory(folder.path() + "/Empty"));
    EXPECT_FALSE(fs::exists(folder.path() + "/Missing"));
}

TEST(Windows, BatchFileReadsEveryExitStatusFromErrorLevel)
{
    const Program program = windowsX64();
    REQUIRE_RUNNABLE(program);
    TemporaryFolder folder;
    const std::string exe = program.hostPath(program.executable);
    std::ofstream(folder.path() + "/outcomes.bat") << "@echo off\r\n"
                                                   << exe << " only-one\r\n"
                                                   << ">>levels.txt echo %ERRORLEVEL%\r\n"
                                                   << exe << " . \"New Folder\"\r\n"
                                                   << ">>levels.txt echo %ERRORLEVEL%\r\n"
                                                   << exe << " . \"New Folder\"\r\n"
                                                   << ">>levels.txt echo %ERRORLEVEL%\r\n"
                                                   << exe << " Missing New\r\n"
                                                   << ">>levels.txt echo %ERRORLEVEL%\r\n";

    const RunResult result = spawn({"wine", "cmd", "/c", "outcomes.bat"}, folder.path());
    EXPECT_EQ(result.exitStatus, 1);  // a batch file ends with the status of its last command
    EXPECT_EQ(readFile(folder.path() + "/levels.txt"), "3\r\n0\r\n0\r\n1\r\n");
    EXPECT_TRUE(fs::is_directory(folder.path() + "/New Folder"));
}

struct Executable {
    const char *label;
    const char *path;
    const char *objdump;
    const char *format;
};

void PrintTo(const Executable &executable, std::ostream *out)
{
    *out << executable.label;
}

class WindowsExecutable : public testing::TestWithParam<Executable> {};

// The 32-bit build cannot run on this machine's kernel, so it is read instead.
TEST_P(WindowsExecutable, IsAConsoleProgramCarryingIcon1AndNeedsOnlySystemDlls)
{
    const Executable executable = GetParam();
    const Program reader{executable.label, executable.path, {executable.objdump}, true, ""};
    REQUIRE_RUNNABLE(reader);
    const std::string headers = spawn({executable.objdump, "-p", executable.path}, ".").output;

    EXPECT_NE(headers.find(executable.format), std::string::npos);
    EXPECT_NE(headers.find("(Windows CUI)"), std::string::npos);
    // Resource names are case-insensitive; the resource compiler stores them in capitals.
    EXPECT_TRUE(std::regex_search(headers, std::regex("ID: 0x00000e,[\\s\\S]*: ICON1,")));
    const std::regex dllName("DLL Name: (\\S+)");
    std::string dlls;
    for (auto it = std::sregex_iterator(headers.begin(), headers.end(), dllName);
         it != std::sregex_iterator(); ++it) {
        dlls += (*it)[1].str() + " ";
    }
    EXPECT_EQ(dlls, "KERNEL32.dll msvcrt.dll ");

    // The image inside the icon file, past its 22-byte directory, is carried byte for byte.
    const std::string icon = projectFile("resources/Icon1.ico");
    EXPECT_NE(readFile(executable.path).find(icon.substr(22)), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Builds, WindowsExecutable,
    testing::Values(Executable{"WindowsX86", BRAMWICK_WINDOWS_X86, "i686-w64-mingw32-objdump", "(PE32)"},
                    Executable{"WindowsX64", BRAMWICK_WINDOWS_X64, "x86_64-w64-mingw32-objdump", "(PE32+)"}),
    [](const testing::TestParamInfo<Executable> &param) { return std::string(param.param.label); });

TEST(Icon1, IsOne32By32ImageWith16ColoursAt4BitsPerPixel)
{
    const std::string icon = projectFile("resources/Icon1.ico");
    ASSERT_EQ(icon.size(),
              22U + 40U + 16U * 4U + 32U * 16U + 32U * 4U);  // directory, header, palette, pixels
    // Image count, then width, height and colour count of the one entry, then the image's bits per pixel.
    EXPECT_EQ(icon.substr(4, 5), std::string("\x01\x00\x20\x20\x10", 5));
    EXPECT_EQ(icon[22 + 14], 4);
}

}  // namespace
