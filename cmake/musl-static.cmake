# The native release at the floor: g++ driven with musl's specs file (Debian's musl-tools), linked
# statically, so a run costs little more than exec, mkdir and exit. The command uses C library headers
# only and no part of the C++ runtime, so no C++ library is linked in.
# Without musl-tools the release links statically against glibc instead, and says so.
set(MUSL_SPECS /usr/lib/x86_64-linux-musl/musl-gcc.specs)
set(CMAKE_CXX_COMPILER g++)
if(EXISTS ${MUSL_SPECS})
    set(CMAKE_CXX_FLAGS_INIT "-specs=${MUSL_SPECS}")
    set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")  # the specs come along in the compiler flags
else()
    message(WARNING "musl-tools is not installed: the release links statically against glibc, "
                    "which costs far more at start-up (apt-get install musl-tools)")
    set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
endif()
