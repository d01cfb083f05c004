// Any condition text, file path and line number: the report never exceeds its buffer (allocated alone,
// so AddressSanitizer sees any overrun), is always a prefix of the unbounded report, and goes out framed
// by CR LF byte for byte.
#include "CheckReport.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// What writeErrorLine puts on standard error, caught through a pipe.
std::string writtenLine(const char *text)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        std::abort();
    }
    const int standardError = dup(STDERR_FILENO);
    dup2(pipeEnds[1], STDERR_FILENO);
    writeErrorLine(text);
    dup2(standardError, STDERR_FILENO);
    close(standardError);
    close(pipeEnds[1]);
    std::string bytes;
    char chunk[512];
    ssize_t n = 0;
    while ((n = read(pipeEnds[0], chunk, sizeof chunk)) > 0) {
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    close(pipeEnds[0]);
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Four bytes of line number, then the condition and the file path split at the first NUL.
    std::uint32_t line = 0;
    const std::size_t lineBytes = size < sizeof line ? size : sizeof line;
    std::memcpy(&line, data, lineBytes);
    const std::string rest(reinterpret_cast<const char *>(data) + lineBytes, size - lineBytes);
    const std::size_t split = rest.find('\0');
    const std::string condition = rest.substr(0, split);
    const std::string file = split == std::string::npos ? "" : rest.substr(split + 1).c_str();

    auto *report = new char[1][REPORT_BUFFER_SIZE];
    assembleReport(*report, condition.c_str(), file.c_str(), line);

    const std::string whole =
        "Assertion failed: " + condition + ", file " + file + ", line " + std::to_string(line);
    const std::string kept = whole.substr(0, REPORT_BUFFER_SIZE - 1);
    if (kept != *report || writtenLine(*report) != "\r\n" + kept + "\r\n") {
        std::abort();
    }
    delete[] report;
    return 0;
}
