# SPDX-FileCopyrightText: 2026 The Bramwick authors
# SPDX-License-Identifier: MIT
# The Linux release for the Debian architecture BRAMWICK_ARCH, a row of cmake/linux-targets (by default
# its first, this machine's own): the program at the floor, Debian's g++ for that machine driven with
# musl's specs (musl-dev:ARCHITECTURE), linked as a static PIE, so a run costs little more than exec,
# mkdir and exit and still loads at a random address. Debian's musl specs start every program with
# Scrt1.o and ignore -static-pie, so the specs made here from musl-static-pie.specs.in say it: musl's
# self-relocating rcrt1.o, a static link, a position-independent executable, no loader, and only the
# libraries the command uses: musl's C library and GCC's runtime support (-nodefaultlibs: g++ would name
# libstdc++ and libm on every link). Without musl the release is a static PIE against glibc instead,
# and says so.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/linux-targets targets REGEX "^[^#]")
list(GET targets 0 first)
string(REGEX MATCH "^[^ ]+" first "${first}")
set(BRAMWICK_ARCH ${first} CACHE STRING "The Debian architecture to build the release for (cmake/linux-targets)")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BRAMWICK_ARCH) # the compiler checks build for it too
list(FILTER targets INCLUDE REGEX "^${BRAMWICK_ARCH} ")
if(NOT targets)
    message(FATAL_ERROR "No Linux target ${BRAMWICK_ARCH}: cmake/linux-targets names those there are")
endif()
string(REGEX MATCHALL "[^ ]+" row "${targets}")
list(POP_FRONT row architecture CMAKE_SYSTEM_PROCESSOR prefix MUSL_TARGET qemu)
list(REMOVE_ITEM row -)
set(LINUX_TARGET_FLAGS ${row}) # CMakeLists.txt hardens with them
# The first row is built and run as this machine's own: on another machine it would be the wrong program.
if(BRAMWICK_ARCH STREQUAL first AND NOT CMAKE_HOST_SYSTEM_PROCESSOR STREQUAL CMAKE_SYSTEM_PROCESSOR)
    message(FATAL_ERROR "This machine is ${CMAKE_HOST_SYSTEM_PROCESSOR}, but the first row of cmake/linux-targets, "
                        "this machine's own, is ${CMAKE_SYSTEM_PROCESSOR}: put the ${CMAKE_HOST_SYSTEM_PROCESSOR} row first")
endif()
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_CXX_COMPILER ${prefix}-g++)

set(MUSL_LIBRARIES /usr/lib/${MUSL_TARGET})
if(EXISTS ${MUSL_LIBRARIES}/musl-gcc.specs)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/musl-static-pie.specs.in ${CMAKE_BINARY_DIR}/musl-static-pie.specs @ONLY)
    # Quoted: the flags are one command-line string, and the tree may lie under a path with spaces.
    set(CMAKE_CXX_FLAGS_INIT "\"-specs=${CMAKE_BINARY_DIR}/musl-static-pie.specs\" -fPIE -nodefaultlibs")
else()
    set(RELEASE_WITH_GLIBC ON)  # CMakeLists.txt says so, once
    # glibc checks buffer sizes it can see; musl has no such checks.
    set(CMAKE_CXX_FLAGS_INIT "-fPIE -D_FORTIFY_SOURCE=2")
    set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-pie")
endif()
