// SPDX-FileCopyrightText: 2026 The Bramwick authors
// SPDX-License-Identifier: MIT
// Runs the seed named through the fuzz target, as libFuzzer starts with it. CTest runs every seed of
// tests/fuzz/corpus/FuzzCommand/ as a test of its own, so each ctest, with any compiler, holds the command
// to the fuzz target's oracle at every seed: the joining rule at each edge, and what real Windows answers
// that Wine cannot show. A seed that breaks a promise ends the run with the fault.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

int main(int /*argc*/, char *argv[])
{
    std::ifstream seed(argv[1], std::ios::binary);
    const std::string input{std::istreambuf_iterator<char>(seed), {}};
    return LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(input.data()), input.size());
}
