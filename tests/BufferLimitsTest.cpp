// SPDX-FileCopyrightText: 2026 The Bramwick authors
// SPDX-License-Identifier: MIT
// Where a unit test sees more than the command line: the POSIX stand-in's copy bound. The joining rule,
// its 511-byte limit and the report cut at its 246-byte buffer are the fuzz target's, whose seeds hold
// every edge.
#include "Platform.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(BufferLimits, PosixStandInRefusesAPathLongerThanItsCopy)
{
    // The command's buffers never hand it one; its copy must stop at PATH_MAX all the same.
    const std::string path(PATH_MAX, 'p');
    EXPECT_EQ(CreateFileA(path.c_str(), 0, 0, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, HANDLE{}),
              INVALID_HANDLE_VALUE);
    EXPECT_FALSE(CreateDirectoryA(path.c_str(), nullptr));
}

}  // namespace
