# SPDX-FileCopyrightText: 2026 The Bramwick authors
# SPDX-License-Identifier: MIT
# Read by cpack once per generator: the .deb installs under /usr and also carries the Debian-only
# files (component debian); the archives (External) hold the tree as `cmake --install` lays it out.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    list(GET CPACK_INSTALL_CMAKE_PROJECTS 0 buildDirectory)
    set(CPACK_INSTALL_CMAKE_PROJECTS
        "${buildDirectory};Bramwick;bramwick;/" "${buildDirectory};Bramwick;debian;/")
else()
    set(CPACK_MONOLITHIC_INSTALL ON)
endif()
