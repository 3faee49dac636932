# Run by CPack on its staging folder before it packs: every file and folder gets one fixed
# time, so that the same sources make the same archive.
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
if(staged)
  execute_process(COMMAND touch -d 2026-12-08T12:00:00Z ${staged} COMMAND_ERROR_IS_FATAL ANY)
endif()
