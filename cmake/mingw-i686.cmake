# Cross-build for Windows with Debian's mingw-w64 (i686).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Nothing in the command unwinds the stack: it is built without exceptions. The unwind tables GCC emits
# for 32-bit code by default serve only such unwinding, so they would only make the executable larger.
# (On x64 the unwind data is part of Windows' own calling convention, and stays.)
set(CMAKE_CXX_FLAGS_INIT "-fno-asynchronous-unwind-tables")
