// SPDX-FileCopyrightText: 2026 The Bramwick authors
// SPDX-License-Identifier: MIT
// The Linux stand-in for the Windows services declared in Platform.h: POSIX calls.
#include "Platform.h"

#include "Bramwick.h"

#include <signal.h>
#include <stddef.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Windows paths use the backslash; the system must see '/' for each. The command hands over only paths
// from its text buffers, so each fits the copy whole, and never changes one once composed: each buffer's
// path is converted once, though the target is both created and looked at.
const char *toPosixPath(const char *path)
{
    static const char *converted;  // the buffer whose path posixPath holds
    static TextBuffer posixPath;
    if (path != converted) {
        memccpy(posixPath, path, '\0', sizeof posixPath);  // up to the terminator, never beyond the copy
        posixPath[sizeof posixPath - 1] = '\0';            // and ended, whoever the caller
        for (char *separator = strchr(posixPath, '\\'); separator != nullptr;
             separator = strchr(separator, '\\')) {
            *separator = '/';
        }
        converted = path;
    }
    return posixPath;
}

}  // namespace

BOOL CreateDirectoryA(const char *path, SECURITY_ATTRIBUTES * /*securityAttributes*/)
{
    return mkdir(toPosixPath(path), 0777) == 0 ? TRUE : FALSE;
}

DWORD GetFileAttributesA(const char *path)
{
    struct stat status;  // read only when stat filled it
    if (stat(toPosixPath(path), &status) != 0) {
        return INVALID_FILE_ATTRIBUTES;
    }
    return S_ISDIR(status.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}

// Never called on Linux (Platform.h says why), so the suite cannot run them and coverage leaves them out.
// GCOVR_EXCL_START
HANDLE CreateFileA(const char * /*path*/, DWORD /*access*/, DWORD /*share*/,
                   SECURITY_ATTRIBUTES * /*securityAttributes*/, DWORD /*disposition*/, DWORD /*flags*/,
                   HANDLE /*templateFile*/)
{
    return INVALID_HANDLE_VALUE;  // no link is left to follow: stat followed it
}

BOOL GetFileInformationByHandle(HANDLE /*file*/, BY_HANDLE_FILE_INFORMATION * /*information*/)
{
    return FALSE;
}

BOOL CloseHandle(HANDLE /*object*/)
{
    return FALSE;
}
// GCOVR_EXCL_STOP

BOOL IsDBCSLeadByte(BYTE /*byte*/)
{
    return FALSE;  // every 0x5C is a backslash
}

HANDLE GetStdHandle(DWORD /*which*/)
{
    return STDERR_FILENO;  // the one handle the command asks for, STD_ERROR_HANDLE's
}

BOOL WriteFile(HANDLE file, const void *bytes, DWORD count, DWORD *written, OVERLAPPED * /*overlapped*/)
{
    // A reader that has gone away, or a file-size limit, must cost the bytes, not the process and its
    // exit status.
    struct sigaction ignore {};
    struct sigaction previousPipe {};
    struct sigaction previousFileSize {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &previousPipe);
    sigaction(SIGXFSZ, &ignore, &previousFileSize);

    const char *next = static_cast<const char *>(bytes);
    DWORD done = 0;
    while (done < count) {
        const ssize_t n = write(file, next + done, count - done);
        if (n <= 0) {
            break;  // closed, full, or at its size limit; no handler of ours can interrupt a write
        }
        done += static_cast<DWORD>(n);
    }

    sigaction(SIGXFSZ, &previousFileSize, nullptr);
    sigaction(SIGPIPE, &previousPipe, nullptr);
    *written = done;  // as on Windows, required for a write without OVERLAPPED
    return done == count ? TRUE : FALSE;
}

void ExitProcess(UINT exitCode)
{
    _exit(static_cast<int>(exitCode));
}
