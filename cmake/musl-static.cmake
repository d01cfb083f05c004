# SPDX-FileCopyrightText: 2026 The Bramwick authors
# SPDX-License-Identifier: MIT
# The native release for Linux on x86-64: see musl-static-pie.cmake.
set(MUSL_TARGET x86_64-linux-musl)
set(CMAKE_CXX_COMPILER g++)
include(${CMAKE_CURRENT_LIST_DIR}/musl-static-pie.cmake)
