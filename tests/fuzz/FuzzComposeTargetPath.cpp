// Any two byte strings, any length: the path is parent + separator (when due) + name, or refused whole,
// and nothing is written beyond the three buffers (each allocated alone, so AddressSanitizer sees it).
#include "Bramwick.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The first NUL splits parent from name; each is cut at its own terminator, as argv delivers it.
    const std::string input(reinterpret_cast<const char *>(data), size);
    const std::size_t split = input.find('\0');
    const std::string parent = input.substr(0, split);
    const std::string name = split == std::string::npos ? "" : input.substr(split + 1).c_str();

    auto *parentCopy = new TextBuffer[1];
    auto *nameCopy = new TextBuffer[1];
    auto *targetPath = new TextBuffer[1];
    const bool composed =
        composeTargetPath(parent.c_str(), name.c_str(), *parentCopy, *nameCopy, *targetPath);

    const bool separatorDue = parent.empty() || (parent.back() != '\\' && parent.back() != '/');
    const std::string parentWithSeparator = parent + (separatorDue ? "\\" : "");
    const std::string expected = parentWithSeparator + name;
    if (composed != (expected.size() <= TEXT_BUFFER_SIZE - 1)) {
        std::abort();  // refused within the limits, or accepted beyond them
    }
    if (composed ? expected != *targetPath || parentWithSeparator != *parentCopy || name != *nameCopy
                 : (*targetPath)[0] != '\0') {
        std::abort();
    }
    delete[] parentCopy;
    delete[] nameCopy;
    delete[] targetPath;
    return 0;
}
