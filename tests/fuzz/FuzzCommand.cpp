// SPDX-FileCopyrightText: 2026 The Bramwick authors
// SPDX-License-Identifier: MIT
// The whole command on a scripted platform of our own, linked in place of kernel32 or the Linux stand-in:
// it answers each service from a table of what stands where, as Microsoft documents the answers, and
// records every call. So it shows what real Windows does and Wine cannot: the attributes of a link or
// junction describe the link itself, so a dangling one looks like a directory until it is opened, and a
// folder whose access list refuses every open still gives its attributes to whoever may list its parent.
//
// The input's first byte says what stands at PARENT with its separator, the second what stands at the
// target: d a directory, r a directory whose access list refuses this user the open (its attributes are
// given), f a file, n a device such as CON (it opens, but has no file information), v the null device NUL
// (the same, but a creation there is reported done and makes nothing), a a place whose attributes this
// user may not ask for; symbolic links and junctions: l to a directory, x dangling, k to a directory
// that refuses the open, e to a file, y to a device; any other byte, nothing. The third is the narrow code
// page: j the double-byte code page 932, where the second byte of a character can be 0x5C (it is in 表),
// any other byte UTF-8, where no byte leads another. The rest is the argument vector, each argument ended
// by a NUL. What the command asks and its status must follow from those alone:
// - not exactly two arguments: status 3, the exact report, nothing asked;
// - a target over 511 bytes: status 1, nothing asked;
// - otherwise one look at PARENT with its separator (appended unless PARENT's last character is '\' or
//   '/'), its attributes, and an open only when they are a link's; nothing more unless a directory stands
//   there (status 1); an empty NAME then ends with 0; any other, exactly one creation, of PARENT,
//   separator and NAME, then the same look at the target whatever the creation answered, and 0 only
//   when a directory stands there, made or already there;
// - every handle opened is closed.
// The joined path shows in what the command asks for; its buffers are the command's own, on its stack,
// where AddressSanitizer sees a byte beyond each. The report of a failed check also runs alone, below. The
// seeds hold the joining rule's cases, each edge of its limit and of the report's, and each answer above at
// PARENT and at the target.
#include "Bramwick.h"
#include "CheckReport.h"
#include "Platform.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

int bramwickMain(int argc, char *argv[]);  // the command's main, renamed in its tests' copy

namespace {

std::map<std::string, char> places;  // what stands where; '\0' for nothing, as anywhere else
std::string opened;                  // what each handle leads to; '-' once closed
std::string calls;                   // "look PATH;", "open PATH;" (CreateFileA), "create PATH;" for each call
std::string standardError;
std::jmp_buf exited;  // where ExitProcess returns to
int exitCode;
// What the command writes when not given exactly two arguments; the line is its source's.
const std::regex countReport("\r\nAssertion failed: argc == 3, file src/Bramwick\\.cpp, line [0-9]+\r\n\r\n"
                             "Abnormal program termination\r\n");

// Each kind of place, '\0' for nothing: its attributes, and what an open of it leads to ('-': no handle).
constexpr DWORD DIRECTORY = FILE_ATTRIBUTE_DIRECTORY;
constexpr DWORD OTHER = FILE_ATTRIBUTE_NORMAL;
constexpr DWORD LINK = FILE_ATTRIBUTE_REPARSE_POINT;
// clang-format off
const std::map<char, std::pair<DWORD, char>> kinds = {
    {'d', {DIRECTORY, 'd'}},        {'r', {DIRECTORY, '-'}},        {'a', {INVALID_FILE_ATTRIBUTES, '-'}},
    {'f', {OTHER, 'f'}},            {'n', {OTHER, 'n'}},            {'v', {OTHER, 'v'}},
    {'l', {LINK | DIRECTORY, 'd'}}, {'x', {LINK | DIRECTORY, '-'}}, {'k', {LINK | DIRECTORY, '-'}},
    {'e', {LINK, 'f'}},             {'y', {LINK, 'n'}},             {'\0', {INVALID_FILE_ATTRIBUTES, '-'}}};
// clang-format on
constexpr auto isOneOf = [](char stands, std::string_view among) {
    return among.find(stands) != std::string_view::npos;
};
// Whether BYTE begins a character of two in code page 932: the ranges of its lead bytes.
constexpr auto leadsIn932 = [](unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
};

int runCommand(std::vector<std::string> arguments)
{
    calls = opened = standardError = "";
    std::vector<char *> argv(arguments.size() + 1);  // ended by a null pointer, as start-up ends it
    std::transform(arguments.begin(), arguments.end(), argv.begin(), [](std::string &a) { return a.data(); });
    // The command's frames hold nothing to destroy, so ExitProcess may leave them by longjmp.
    if (setjmp(exited) == 0) {  // NOLINT(cert-err52-cpp)
        return bramwickMain(static_cast<int>(arguments.size()), argv.data());
    }
    return exitCode;
}

// Ends the run, naming WHAT, unless KEPT: libFuzzer keeps the input, a run of the seeds names it.
void require(bool kept, const std::string &what)
{
    if (!kept) {
        static_cast<void>(std::fprintf(stderr, "%s\n", what.c_str()));
        std::abort();
    }
}

}  // namespace

// The scripted platform.
BOOL CreateDirectoryA(const char *path, SECURITY_ATTRIBUTES * /*securityAttributes*/)
{
    calls += std::string("create ") + path + ";";
    char &stands = places[path];
    // Else ERROR_ALREADY_EXISTS, for a dangling link too, or ERROR_ACCESS_DENIED; the null device takes the
    // creation and makes nothing.
    const bool taken = stands == '\0' || stands == 'v';
    stands = stands == '\0' ? 'd' : stands;
    return taken;
}

DWORD GetFileAttributesA(const char *path)
{
    calls += std::string("look ") + path + ";";
    return kinds.at(places[path]).first;
}

HANDLE CreateFileA(const char *path, DWORD /*access*/, DWORD /*share*/, SECURITY_ATTRIBUTES * /*attributes*/,
                   DWORD /*disposition*/, DWORD flags, HANDLE /*templateFile*/)
{
    calls += std::string("open ") + path + ";";
    const char leadsTo = kinds.at(places[path]).second;
    // A directory opens only with backup semantics.
    const bool opens = leadsTo == 'd' ? (flags & FILE_FLAG_BACKUP_SEMANTICS) != 0 : leadsTo != '-';
    opened += opens ? leadsTo : '-';
    return opens ? static_cast<HANDLE>(opened.size() - 1) : INVALID_HANDLE_VALUE;
}

BOOL GetFileInformationByHandle(HANDLE file, BY_HANDLE_FILE_INFORMATION *information)
{
    const char stands = opened.at(static_cast<size_t>(file));
    information->dwFileAttributes = stands == 'd' ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    return stands == 'f' || stands == 'd';  // ERROR_INVALID_FUNCTION for a device, or a closed handle
}

BOOL CloseHandle(HANDLE object)
{
    opened.at(static_cast<size_t>(object)) = '-';
    return TRUE;
}

unsigned scriptedCodePage = 65001;  // UTF-8; set by each input, and by the joining table

BOOL IsDBCSLeadByte(BYTE byte)
{
    return scriptedCodePage == 932 && leadsIn932(byte);
}

HANDLE GetStdHandle(DWORD which)
{
    return static_cast<HANDLE>(which);  // told apart from the handles CreateFileA counts from 0
}

BOOL WriteFile(HANDLE file, const void *bytes, DWORD count, DWORD *written, OVERLAPPED * /*overlapped*/)
{
    *written = file == static_cast<HANDLE>(STD_ERROR_HANDLE) ? count : 0;
    standardError.append(static_cast<const char *>(bytes), *written);
    return *written == count;
}

void ExitProcess(UINT code)
{
    exitCode = static_cast<int>(code);
    std::longjmp(exited, 1);  // NOLINT(cert-err52-cpp)
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char *>(data), size);
    std::vector<std::string> arguments;
    scriptedCodePage = size > 2 && data[2] == 'j' ? 932 : 65001;
    for (std::size_t start = 3, end = 0; start < size; start = end + 1) {
        end = std::min(input.find('\0', start), size);
        arguments.push_back(input.substr(start, end - start));
    }

    const char atParent = size > 0 && kinds.count(input[0]) != 0 ? input[0] : '\0';  // else nothing
    const char atTarget = size > 1 && kinds.count(input[1]) != 0 ? input[1] : '\0';
    std::string expected;
    int wanted = 3;
    places.clear();
    if (arguments.size() == 3) {
        const std::string &parent = arguments[1];
        const std::string &name = arguments[2];
        // PARENT read character by character from its start: where does its last character begin?
        std::size_t last = 0;
        for (std::size_t at = 0; at < parent.size();
             at += scriptedCodePage == 932 && leadsIn932(static_cast<unsigned char>(parent[at])) ? 2 : 1) {
            last = at;
        }
        const bool separatorDue =
            parent.empty() || last + 1 < parent.size() || (parent.back() != '\\' && parent.back() != '/');
        const std::string parentLook = separatorDue ? parent + '\\' : parent;
        const std::string target = parentLook + name;
        const bool fits = target.size() < TEXT_BUFFER_SIZE;
        places = {{parentLook, atParent}, {target, atTarget}};  // with an empty NAME, the one is PARENT's
        const bool parentStands = fits && isOneOf(atParent, "drl");
        const bool making = parentStands && !name.empty();
        const auto look = [](const std::string &path, char stands) {
            return "look " + path + ";" + (isOneOf(stands, "lxkey") ? "open " + path + ";" : "");
        };
        expected = fits ? look(parentLook, atParent) : "";
        expected += making ? "create " + target + ";" + look(target, atTarget) : "";
        wanted = making ? (atTarget == '\0' || isOneOf(atTarget, "drl") ? 0 : 1) : (parentStands ? 0 : 1);
    }

    const int status = runCommand(arguments);
    require(status == wanted && calls == expected && opened.find_first_not_of('-') == std::string::npos &&
                (wanted == 3 ? std::regex_match(standardError, countReport) : standardError.empty()),
            "status " + std::to_string(status) + " after " + calls + " handles " + opened +
                ", standard error '" + standardError + "'");

    // Any input also names a failed check by its first three arguments: condition, file and line. Its
    // report is the whole text as far as it fits in 245 bytes; AddressSanitizer sees a byte beyond them.
    arguments.resize(std::max(arguments.size(), std::size_t{3}));
    const auto line = static_cast<std::uint32_t>(std::strtoull(arguments[2].c_str(), nullptr, 10));
    const auto report = std::make_unique<char[][REPORT_BUFFER_SIZE]>(1);
    assembleReport(report[0], arguments[0].c_str(), arguments[1].c_str(), line);
    const std::string whole =
        "Assertion failed: " + arguments[0] + ", file " + arguments[1] + ", line " + std::to_string(line);
    require(report[0] == whole.substr(0, REPORT_BUFFER_SIZE - 1),
            "the report: '" + std::string(report[0]) + "'");
    return 0;
}
