# SPDX-FileCopyrightText: 2026 The Bramwick authors
# SPDX-License-Identifier: MIT
# Run by cpack's External generator on the staged tree (NormaliseStaging.cmake has fixed its modes and
# times): the .tar.gz on Linux, the zip on Windows, under one top-level folder named like the package,
# members in sorted order, owned by root (0/0), and no field that names the builder or the build time.
set(top ${CPACK_PACKAGE_FILE_NAME})
set(ENV{TZ} UTC) # zip stores local time
file(GLOB_RECURSE members RELATIVE ${CPACK_TOPLEVEL_DIRECTORY} ${CPACK_TEMPORARY_DIRECTORY}/*)
list(SORT members)
if(CPACK_SYSTEM_NAME MATCHES "^windows-")
    set(package ${CPACK_TOPLEVEL_DIRECTORY}/${top}.zip)
    # -X leaves out the owner's ids and the extra time fields; -D the folders, which unzip makes anyway.
    execute_process(COMMAND zip -X -D -9 -q ${package} ${members}
                    WORKING_DIRECTORY ${CPACK_TOPLEVEL_DIRECTORY} COMMAND_ERROR_IS_FATAL ANY)
else()
    set(package ${CPACK_TOPLEVEL_DIRECTORY}/${top}.tar.gz)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C
                            tar --sort=name --format=gnu --owner=root:0 --group=root:0 --mtime=@$ENV{SOURCE_DATE_EPOCH}
                            -C ${CPACK_TOPLEVEL_DIRECTORY} -cf ${CPACK_TOPLEVEL_DIRECTORY}/${top}.tar ${top}
                    COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND gzip -9nf ${CPACK_TOPLEVEL_DIRECTORY}/${top}.tar COMMAND_ERROR_IS_FATAL ANY)
endif()
set(CPACK_EXTERNAL_BUILT_PACKAGES ${package})
