// SPDX-FileCopyrightText: 2026 The Bramwick authors
// SPDX-License-Identifier: MIT
// The command's own report of a broken precondition: two framed lines on standard error, then status 3.
#pragma once

#include <stddef.h>
#include <stdint.h>

constexpr size_t REPORT_BUFFER_SIZE = 246;
constexpr unsigned ABNORMAL_EXIT_STATUS = 3;

// Always performed, whatever the build: a failed condition is reported with its source text and position.
#define CHECK(condition)                                                                                     \
    ((condition) ? static_cast<void>(0) : reportFailedCheck(#condition, __FILE__, __LINE__))

// Writes "Assertion failed: CONDITION, file PATH, line NUMBER" into `report`, each piece only as far as it
// fits before the terminator; the result is always a prefix of the whole text.
void assembleReport(char (&report)[REPORT_BUFFER_SIZE], const char *condition, const char *file,
                    uint32_t line);

[[noreturn]] void reportFailedCheck(const char *condition, const char *file, uint32_t line);

// Writes CR LF, `text`, CR LF to standard error, unbuffered; failures are ignored.
void writeErrorLine(const char *text);

[[noreturn]] void terminateAbnormally();
