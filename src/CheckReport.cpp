// SPDX-FileCopyrightText: 2026 The Bramwick authors
// SPDX-License-Identifier: MIT
#include "CheckReport.h"

#include "Platform.h"

#include <stddef.h>
#include <string.h>

namespace {

char reportText[REPORT_BUFFER_SIZE];

// Appends as much of `piece` as fits before the terminator; returns the new length.
size_t appendPiece(char (&report)[REPORT_BUFFER_SIZE], size_t length, const char *piece)
{
    while (length + 1 < sizeof report && *piece != '\0') {
        report[length++] = *piece++;
    }
    report[length] = '\0';
    return length;
}

void writeBytes(HANDLE file, const char *bytes, size_t count)
{
    DWORD written = 0;
    WriteFile(file, bytes, static_cast<DWORD>(count), &written, nullptr);
}

}  // namespace

void assembleReport(char (&report)[REPORT_BUFFER_SIZE], const char *condition, const char *file,
                    uint32_t line)
{
    char digits[11];  // 4294967295 and the terminator
    size_t first = sizeof digits - 1;
    digits[first] = '\0';
    do {
        digits[--first] = static_cast<char>('0' + line % 10);
        line /= 10;
    } while (line != 0);

    size_t length = appendPiece(report, 0, "Assertion failed: ");
    length = appendPiece(report, length, condition);
    length = appendPiece(report, length, ", file ");
    length = appendPiece(report, length, file);
    length = appendPiece(report, length, ", line ");
    appendPiece(report, length, digits + first);
}

void reportFailedCheck(const char *condition, const char *file, uint32_t line)
{
    assembleReport(reportText, condition, file, line);
    writeErrorLine(reportText);
    terminateAbnormally();
}

void writeErrorLine(const char *text)
{
    const HANDLE standardError = GetStdHandle(STD_ERROR_HANDLE);
    writeBytes(standardError, "\r\n", 2);
    writeBytes(standardError, text, strlen(text));
    writeBytes(standardError, "\r\n", 2);
}

void terminateAbnormally()
{
    writeErrorLine("Abnormal program termination");
    ExitProcess(ABNORMAL_EXIT_STATUS);
}
