# Run by cpack on the files it has staged, before it packs them (CPACK_PRE_BUILD_SCRIPTS): the
# same package whoever makes it and whenever. The directories it made have the umask's modes
# (CMake's own default modes are masked by it too): they get 0755, as Debian wants them. The
# zip and the installer keep each file's time as they find it: it becomes SOURCE_DATE_EPOCH's.
execute_process(COMMAND find ${CPACK_TEMPORARY_DIRECTORY} -type d -exec chmod 0755 {} +
                COMMAND_ERROR_IS_FATAL ANY)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND find ${CPACK_TEMPORARY_DIRECTORY} -exec
                            touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} + COMMAND_ERROR_IS_FATAL ANY)
endif()
