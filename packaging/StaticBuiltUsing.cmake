# SPDX-FileCopyrightText: 2026 The Bramwick authors
# SPDX-License-Identifier: MIT
# Run by cpack once the packages are made: the .deb names, in Static-Built-Using, the exact source
# versions of the libraries linked into its program (musl), as Debian does for static programs, so that a
# fix in one of them can be traced to a rebuild. CPack writes no such field, so the .deb is opened and
# built again with dpkg-deb, which takes every time from SOURCE_DATE_EPOCH.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.deb$")
        continue()
    endif()
    execute_process(COMMAND ${CPACK_BRAMWICK_NOTICES} --static-built-using ${CPACK_BRAMWICK_MAP}
                    OUTPUT_VARIABLE sources OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(tree ${CPACK_TOPLEVEL_DIRECTORY}/static-built-using)
    file(REMOVE_RECURSE ${tree})
    execute_process(COMMAND dpkg-deb --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
    file(READ ${tree}/DEBIAN/control control)
    string(STRIP "${control}" control) # one paragraph, the field added at its end
    file(WRITE ${tree}/DEBIAN/control "${control}\nStatic-Built-Using: ${sources}\n")
    execute_process(COMMAND dpkg-deb --root-owner-group --build ${tree} ${package} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE ${tree})
endforeach()
