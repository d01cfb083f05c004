# SPDX-FileCopyrightText: 2026 The Bramwick authors
# SPDX-License-Identifier: MIT
# Run by cpack on the staged files of every package: whoever builds it, under whatever umask, every
# folder and program gets 0755, every other file 0644, and every time is SOURCE_DATE_EPOCH's.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is not set: packages are made by scripts/package")
endif()
set(staging ${CPACK_TEMPORARY_INSTALL_DIRECTORY})
execute_process(COMMAND find ${staging} -type d -exec chmod 0755 {} + COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${staging} -type f -perm -u+x -exec chmod 0755 {} + COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${staging} -type f ! -perm -u+x -exec chmod 0644 {} + COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${staging} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} + COMMAND_ERROR_IS_FATAL ANY)
