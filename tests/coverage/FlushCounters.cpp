// SPDX-FileCopyrightText: 2026 The Bramwick authors
// SPDX-License-Identifier: MIT
// Linked into the coverage build's program only, with _exit wrapped: writes gcov's counters before the
// process ends, as ExitProcess ends it without the at-exit processing that would write them. Under a
// file-size limit the counters cannot be written, and that must not change the run's exit status.
#include <signal.h>

// The names are gcov's and the linker's (--wrap=_exit), reserved as they are.
// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
extern "C" void __gcov_dump();
extern "C" [[noreturn]] void __real__exit(int status);

extern "C" [[noreturn]] void __wrap__exit(int status)
{
    static_cast<void>(signal(SIGXFSZ, SIG_IGN));
    __gcov_dump();
    __real__exit(status);
}
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
