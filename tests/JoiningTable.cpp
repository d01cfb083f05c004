// SPDX-FileCopyrightText: 2026 The Bramwick authors
// SPDX-License-Identifier: MIT
// The manual's joining table, each target written out. The fuzz target's oracle restates the rule that
// the code implements, so a misreading both shared would pass every seed; it would not pass these rows.
#include "Bramwick.h"

#include <gtest/gtest.h>

extern unsigned scriptedCodePage;  // the narrow code page of the scripted platform (fuzz/FuzzCommand.cpp)

namespace {

struct Row {
    unsigned codePage;  // 65001 is UTF-8, as the manifest asks
    const char *parent;
    const char *name;
    const char *target;
};

// In code page 932, 表 is the bytes 0x95 0x5C: its second byte is a backslash's.
const Row rows[] = {
    {65001, "C:\\", "New", "C:\\New"},
    {65001, "D:/", "New", "D:/New"},
    {65001, "C:", "New", "C:\\New"},
    {65001, "C:\\Data", "New", "C:\\Data\\New"},
    {65001, "C:\\Data\\", "New", "C:\\Data\\New"},
    {65001, "abc", "New", "abc\\New"},
    {65001, ".", "New", ".\\New"},
    {65001, "\\", "New", "\\New"},
    {65001, "", "New", "\\New"},
    {65001, "C:\\Data", "", "C:\\Data\\"},
    {932, "C:\\\x95\\", "New", "C:\\\x95\\\\New"},
    {932, "C:\\\x95\\\\", "New", "C:\\\x95\\\\New"},
};

TEST(JoiningTable, EachRowGivesItsTarget)
{
    for (const Row &row : rows) {
        scriptedCodePage = row.codePage;
        TextBuffer parentCopy;
        TextBuffer nameCopy;
        TextBuffer targetPath;
        EXPECT_TRUE(composeTargetPath(row.parent, row.name, parentCopy, nameCopy, targetPath));
        EXPECT_STREQ(targetPath, row.target) << "code page " << row.codePage << ", parent " << row.parent;
    }
}

}  // namespace
