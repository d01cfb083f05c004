// Any two byte strings, any length: the path is parent + separator (when due) + name, or refused whole,
// and nothing is read or written beyond the three buffers (each allocated alone, so AddressSanitizer sees
// it). The seeds hold the joining rule's cases and each edge of the 511-byte limit, and run every time.
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

    // Composed: the parent with its separator when due, the name, and the two joined. Refused: all empty.
    const bool separatorDue = parent.empty() || (parent.back() != '\\' && parent.back() != '/');
    const std::string parentWithSeparator = parent + (separatorDue ? "\\" : "");
    const bool fits = parentWithSeparator.size() + name.size() < TEXT_BUFFER_SIZE;
    const std::string wantParent = fits ? parentWithSeparator : "";
    const std::string wantName = fits ? name : "";
    if (composed != fits || wantParent != parentCopy[0] || wantName != nameCopy[0] ||
        wantParent + wantName != targetPath[0]) {
        std::abort();
    }
    return 0;
}
