// SPDX-FileCopyrightText: 2026 The Bramwick authors
// SPDX-License-Identifier: MIT
// Every seed of tests/fuzz/corpus/FuzzCommand/ through the fuzz target, as libFuzzer starts with it, so
// that each ctest, with any compiler, holds the command to the fuzz target's oracle at every seed: the
// joining rule at each edge, and what real Windows answers that Wine cannot show. A seed that breaks a
// promise ends the run with the fault, after the seed's name; a corpus not there, or empty, fails the test.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {

TEST(Seeds, EachHoldsToTheOracle)
{
    EXPECT_FALSE(std::filesystem::is_empty(SEEDS)) << "no seeds in " SEEDS;
    for (const auto &seed : std::filesystem::directory_iterator(SEEDS)) {
        std::ifstream file(seed.path(), std::ios::binary);
        const std::string input{std::istreambuf_iterator<char>(file), {}};
        static_cast<void>(std::fprintf(stderr, "seed %s\n", seed.path().filename().c_str()));
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(input.data()), input.size());
    }
}

}  // namespace
