// SPDX-FileCopyrightText: 2026 The Bramwick authors
// SPDX-License-Identifier: MIT
// Joining the parent directory and the folder name into the path the command creates.
#pragma once

#include <stddef.h>

constexpr size_t TEXT_BUFFER_SIZE = 512;  // at most 511 bytes and the terminator

using TextBuffer = char[TEXT_BUFFER_SIZE];

// Copies `parent`, with one backslash appended unless its last character is '\' or '/', into `parentCopy`,
// `name` into `nameCopy`, and the two joined into `targetPath`. False when anything would not fit whole
// (the joined path may have at most 511 bytes): then no buffer holds anything to use.
bool composeTargetPath(const char *parent, const char *name, TextBuffer &parentCopy, TextBuffer &nameCopy,
                       TextBuffer &targetPath);
