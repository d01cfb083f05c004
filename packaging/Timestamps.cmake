# Run by cpack on the staged files: every file and folder gets SOURCE_DATE_EPOCH as its time, so the
# same commit gives byte-identical archives wherever and whenever it is packaged.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND find ${CPACK_TEMPORARY_INSTALL_DIRECTORY} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} +
                    COMMAND_ERROR_IS_FATAL ANY)
endif()
