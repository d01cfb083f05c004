// SPDX-FileCopyrightText: 2026 The Bramwick authors
// SPDX-License-Identifier: MIT
// The few operating-system services the command uses, by their Windows names.
// On Windows they are kernel32's own; elsewhere PlatformPosix.cpp stands in for them.
#pragma once

#ifdef _WIN32

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#else

#include <stdint.h>

using BOOL = int;
using BYTE = unsigned char;
using DWORD = uint32_t;
using UINT = unsigned int;
using HANDLE = int;  // a file descriptor

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;
constexpr HANDLE INVALID_HANDLE_VALUE = -1;
constexpr DWORD STD_ERROR_HANDLE = static_cast<DWORD>(-12);
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD FILE_SHARE_DELETE = 0x4;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD FILE_FLAG_BACKUP_SEMANTICS = 0x02000000;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_ATTRIBUTE_REPARSE_POINT = 0x400;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

struct SECURITY_ATTRIBUTES;
struct OVERLAPPED;
struct BY_HANDLE_FILE_INFORMATION {
    DWORD dwFileAttributes;  // the one member the command reads
};

// Every `path` is one of the command's text buffers, which it never changes once composed; backslashes are
// read as '/'.

// Makes the last component of `path`. New directories get 0777 less the umask.
BOOL CreateDirectoryA(const char *path, SECURITY_ATTRIBUTES *securityAttributes);

// FILE_ATTRIBUTE_DIRECTORY where `path`, links followed, leads to a directory, FILE_ATTRIBUTE_NORMAL where
// it leads to anything else, INVALID_FILE_ATTRIBUTES where it leads nowhere or cannot be asked. Linux
// follows the link itself, so no answer is a reparse point, and none needs a descriptor.
DWORD GetFileAttributesA(const char *path);

// Never called on Linux: the command opens a path only to follow a reparse point, and no answer above is
// one. They answer as for a path that cannot be opened.
HANDLE CreateFileA(const char *path, DWORD access, DWORD share, SECURITY_ATTRIBUTES *securityAttributes,
                   DWORD disposition, DWORD flags, HANDLE templateFile);
BOOL GetFileInformationByHandle(HANDLE file, BY_HANDLE_FILE_INFORMATION *information);
BOOL CloseHandle(HANDLE object);

// Whether `byte` begins a two-byte character in the narrow code page: never, as Linux reads paths as bytes.
BOOL IsDBCSLeadByte(BYTE byte);

// Standard error's descriptor: the command asks for no other handle.
HANDLE GetStdHandle(DWORD which);

// Writes every byte, retrying after partial writes; never raises SIGPIPE or SIGXFSZ.
BOOL WriteFile(HANDLE file, const void *bytes, DWORD count, DWORD *written, OVERLAPPED *overlapped);

// Ends the process at once: no at-exit processing, no flushing of streams.
[[noreturn]] void ExitProcess(UINT exitCode);

#endif
