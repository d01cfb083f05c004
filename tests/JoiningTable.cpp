// SPDX-FileCopyrightText: 2026 The Bramwick authors
// SPDX-License-Identifier: MIT
// The manual's joining table, each target written out. The fuzz target's oracle restates the rule that
// the code implements, so a misreading both shared would pass every seed; it would not pass these rows.
#include "Bramwick.h"

#include <gtest/gtest.h>

#include <tuple>

extern unsigned scriptedCodePage;  // the narrow code page of the scripted platform (fuzz/FuzzCommand.cpp)

namespace {

// Code page (65001 is UTF-8, as the manifest asks), parent, name and target. In code page 932, 表 is the
// bytes 0x95 0x5C: its second byte is a backslash's.
// clang-format off
const std::tuple<unsigned, const char *, const char *, const char *> rows[] = {
    {65001, "C:\\", "New", "C:\\New"},                {65001, "D:/", "New", "D:/New"},
    {65001, "C:", "New", "C:\\New"},                  {65001, "C:\\Data", "New", "C:\\Data\\New"},
    {65001, "C:\\Data\\", "New", "C:\\Data\\New"},    {65001, "abc", "New", "abc\\New"},
    {65001, ".", "New", ".\\New"},                    {65001, "\\", "New", "\\New"},
    {65001, "", "New", "\\New"},                      {65001, "C:\\Data", "", "C:\\Data\\"},
    {932, "C:\\\x95\\", "New", "C:\\\x95\\\\New"},    {932, "C:\\\x95\\\\", "New", "C:\\\x95\\\\New"},
};
// clang-format on

TEST(JoiningTable, EachRowGivesItsTarget)
{
    for (const auto &[codePage, parent, name, target] : rows) {
        scriptedCodePage = codePage;
        TextBuffer copies[3];  // the parent's, the name's and the target
        EXPECT_TRUE(composeTargetPath(parent, name, copies[0], copies[1], copies[2]));
        EXPECT_STREQ(copies[2], target) << "code page " << codePage << ", parent " << parent;
    }
}

}  // namespace
