// Any condition text, file path and line number: the report never exceeds its buffer (allocated alone,
// so AddressSanitizer sees any overrun), is a prefix of the unbounded report, and goes out framed by
// CR LF byte for byte.
#include "CheckReport.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Four bytes of line number, then the condition and the file path split at the first NUL.
    std::uint32_t line = 0;
    const std::size_t lineBytes = std::min(size, sizeof line);
    std::memcpy(&line, data, lineBytes);
    const std::string rest(reinterpret_cast<const char *>(data) + lineBytes, size - lineBytes);
    const std::string condition = rest.substr(0, rest.find('\0'));
    const std::size_t start = std::min(rest.size(), condition.size() + 1);
    const std::string file = rest.substr(start, rest.find('\0', start) - start);
    const auto report = std::make_unique<char[][REPORT_BUFFER_SIZE]>(1);
    assembleReport(report[0], condition.c_str(), file.c_str(), line);

    // What writeErrorLine puts on standard error, caught in a temporary file that it appends to.
    static const int written = open("/tmp", O_TMPFILE | O_RDWR | O_APPEND, 0600);
    const int standardError = dup(STDERR_FILENO);
    if (ftruncate(written, 0) != 0 || dup2(written, STDERR_FILENO) < 0) {
        std::abort();
    }
    writeErrorLine(report[0]);
    dup2(standardError, STDERR_FILENO);
    close(standardError);
    std::string bytes(REPORT_BUFFER_SIZE + 8, '\0');
    bytes.resize(
        static_cast<std::size_t>(std::max<ssize_t>(0, pread(written, bytes.data(), bytes.size(), 0))));

    const std::string whole =
        "Assertion failed: " + condition + ", file " + file + ", line " + std::to_string(line);
    const std::string kept = whole.substr(0, REPORT_BUFFER_SIZE - 1);
    if (kept != report[0] || bytes != "\r\n" + kept + "\r\n") {
        std::abort();
    }
    return 0;
}
