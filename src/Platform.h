// The few operating-system services the command uses, by their Windows names.
// On Windows they are kernel32's own; elsewhere PlatformPosix.cpp stands in for them.
#pragma once

#ifdef _WIN32

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#else

#include <stdint.h>

using BOOL = int;
using DWORD = uint32_t;
using UINT = unsigned int;
using HANDLE = int;  // a file descriptor

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;
constexpr DWORD STD_ERROR_HANDLE = static_cast<DWORD>(-12);
constexpr DWORD INVALID_FILE_ATTRIBUTES = static_cast<DWORD>(-1);
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

struct SECURITY_ATTRIBUTES;
struct OVERLAPPED;

// Makes the last component of `path`; backslashes are read as '/'. New directories get 0777 less the umask.
BOOL CreateDirectoryA(const char *path, SECURITY_ATTRIBUTES *securityAttributes);

// FILE_ATTRIBUTE_DIRECTORY for a directory (links followed), FILE_ATTRIBUTE_NORMAL for anything else,
// INVALID_FILE_ATTRIBUTES when nothing stands at `path`.
DWORD GetFileAttributesA(const char *path);

// Standard error's descriptor: the command asks for no other handle.
HANDLE GetStdHandle(DWORD which);

// Writes every byte, retrying after partial writes; never raises SIGPIPE or SIGXFSZ.
BOOL WriteFile(HANDLE file, const void *bytes, DWORD count, DWORD *written, OVERLAPPED *overlapped);

// Ends the process at once: no at-exit processing, no flushing of streams.
[[noreturn]] void ExitProcess(UINT exitCode);

#endif
