# SPDX-FileCopyrightText: 2026 The Bramwick authors
# SPDX-License-Identifier: MIT
# Cross-build for 32-bit Windows, the home platform: see mingw.cmake.
set(MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
# Nothing in the command unwinds the stack: it is built without exceptions. The unwind tables GCC emits
# for 32-bit code by default serve only such unwinding, so they would only make the executable larger.
# (On x64 the unwind data is part of Windows' own calling convention, and stays.)
set(CMAKE_CXX_FLAGS_INIT "-fno-asynchronous-unwind-tables")
