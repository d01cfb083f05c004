// SPDX-FileCopyrightText: 2026 The Bramwick authors
// SPDX-License-Identifier: MIT
// bramwick PARENT NAME: makes the one folder PARENT\NAME.
#include "Bramwick.h"

#include "CheckReport.h"
#include "Platform.h"

#include <stdlib.h>
#include <string.h>

namespace {

// Copies `text` with its terminator into `buffer` if it fits whole, and gives its length.
bool copyWhole(TextBuffer &buffer, const char *text, size_t &length)
{
    const void *terminator = memchr(text, '\0', sizeof buffer);  // stops at the terminator, never beyond
    if (terminator == nullptr) {
        return false;
    }
    length = static_cast<size_t>(static_cast<const char *>(terminator) - text);
    memcpy(buffer, text, length + 1);
    return true;
}

// Whether the last character is '\' or '/'. In a double-byte code page (932, 936, 949, 950) the second
// byte of a character can be 0x5C, so the last byte is a separator only when it begins a character: when
// the run of lead bytes before it is even, each pairing with the byte after it.
bool endsInSeparator(const char *text, size_t length)
{
    if (length == 0 || (text[length - 1] != '\\' && text[length - 1] != '/')) {
        return false;
    }
    size_t leads = 0;
    while (leads + 1 < length && IsDBCSLeadByte(static_cast<BYTE>(text[length - 2 - leads]))) {
        ++leads;
    }
    return leads % 2 == 0;
}

// A directory stands at `path` only where the path, links and junctions followed, leads to one. Its
// attributes come first: one call, no handle, and no right beyond listing the folder that holds it. A link
// or junction describes itself there, whether or not its destination exists, so only then is the path
// opened, which follows it: with no access, and with backup semantics so that a directory opens too.
bool directoryStandsAt(const char *path)
{
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    const HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, HANDLE{});
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION information;
    const bool directory = GetFileInformationByHandle(file, &information) &&
                           (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    CloseHandle(file);
    return directory;
}

}  // namespace

bool composeTargetPath(const char *parent, const char *name, TextBuffer &parentCopy, TextBuffer &nameCopy,
                       TextBuffer &targetPath)
{
    size_t parentLength = 0;
    size_t nameLength = 0;
    const bool copied = copyWhole(parentCopy, parent, parentLength) && copyWhole(nameCopy, name, nameLength);
    const size_t separatorLength = copied && !endsInSeparator(parentCopy, parentLength) ? 1 : 0;
    if (!copied || parentLength + separatorLength + nameLength >= TEXT_BUFFER_SIZE) {
        return false;
    }

    if (separatorLength != 0) {
        parentCopy[parentLength++] = '\\';
        parentCopy[parentLength] = '\0';
    }
    memcpy(&targetPath[0], parentCopy, parentLength);
    memcpy(&targetPath[parentLength], nameCopy, nameLength + 1);
    return true;
}

int main(int argc, char *argv[])
{
    CHECK(argc == 3);

    TextBuffer parentCopy;
    TextBuffer nameCopy;
    TextBuffer targetPath;
    if (!composeTargetPath(argv[1], argv[2], parentCopy, nameCopy, targetPath)) {
        return EXIT_FAILURE;  // too long to make whole; a shortened path would name another folder
    }

    // Windows resolves `.` and `..` and strips trailing dots and spaces before it creates anything, so
    // under a missing PARENT a name could make PARENT itself or a folder beside it: nothing is asked for
    // unless PARENT stands. Under a PARENT that stands, a name such as `..\x` is followed as given.
    if (!directoryStandsAt(parentCopy)) {
        return EXIT_FAILURE;
    }
    if (nameCopy[0] == '\0') {
        return EXIT_SUCCESS;  // the target is PARENT itself
    }
    // Success means a folder stands there now, made by this run or already there. The creation's own
    // answer is not proof: the null device, NUL, reports one done and makes nothing.
    CreateDirectoryA(targetPath, nullptr);
    return directoryStandsAt(targetPath) ? EXIT_SUCCESS : EXIT_FAILURE;
}
