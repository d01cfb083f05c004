// SPDX-FileCopyrightText: 2026 The Bramwick authors
// SPDX-License-Identifier: MIT
// Runs every seed in the folder named through the fuzz target, as libFuzzer starts with them, so each
// run of the tests, with any compiler, holds the command to the fuzz target's oracle at every seed: the
// joining rule at each edge, and what real Windows answers that Wine cannot show. A seed that breaks a
// promise ends the run with its name and the fault.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

int main(int /*argc*/, char *argv[])
{
    int seeds = 0;
    for (const auto &seed : std::filesystem::directory_iterator(argv[1])) {
        std::ifstream file(seed.path(), std::ios::binary);
        const std::string input{std::istreambuf_iterator<char>(file), {}};
        static_cast<void>(std::fprintf(stderr, "%s\n", seed.path().filename().c_str()));  // unbuffered
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(input.data()), input.size());
        ++seeds;
    }
    return seeds > 0 ? 0 : 1;
}
