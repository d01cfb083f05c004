// Any two byte strings, any length: the path is parent + separator (when due) + name, or refused whole,
// and nothing is written beyond the three buffers (each allocated alone, so AddressSanitizer sees it).
#include "Bramwick.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The first NUL splits parent from name; each ends at its own terminator, as argv delivers it.
    const std::string input(reinterpret_cast<const char *>(data), size);
    const std::string parent = input.substr(0, input.find('\0'));
    const std::size_t start = std::min(size, parent.size() + 1);
    const std::string name = input.substr(start, input.find('\0', start) - start);
    const auto parentCopy = std::make_unique<TextBuffer[]>(1);
    const auto nameCopy = std::make_unique<TextBuffer[]>(1);
    const auto targetPath = std::make_unique<TextBuffer[]>(1);

    const bool composed =
        composeTargetPath(parent.c_str(), name.c_str(), parentCopy[0], nameCopy[0], targetPath[0]);

    const bool separatorDue = parent.empty() || (parent.back() != '\\' && parent.back() != '/');
    const std::string parentWithSeparator = parent + (separatorDue ? "\\" : "");
    const bool fits = parentWithSeparator.size() + name.size() < TEXT_BUFFER_SIZE;
    if (composed != fits || (composed ? parentWithSeparator + name != targetPath[0] ||
                                            parentWithSeparator != parentCopy[0] || name != nameCopy[0]
                                      : targetPath[0][0] != '\0')) {
        std::abort();
    }
    return 0;
}
