# SPDX-FileCopyrightText: 2026 The Bramwick authors
# SPDX-License-Identifier: MIT
# The release for Linux on 64-bit ARM, cross-built with Debian's g++-aarch64-linux-gnu against
# musl-dev:arm64: see musl-static-pie.cmake. The linker aligns its segments to 64 KiB, so that it also
# loads on kernels with 16 or 64 KiB pages.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(MUSL_TARGET aarch64-linux-musl)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
include(${CMAKE_CURRENT_LIST_DIR}/musl-static-pie.cmake)
