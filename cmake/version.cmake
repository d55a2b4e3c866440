# Writes the version source: the project version and, when the source tree is
# a git checkout of its own, the commit it is at ("-dirty" with changes not
# yet committed). Run at every build; the file is rewritten only when the text
# changes, so an unchanged commit rebuilds nothing.
set(commit "")
if(GIT)
  execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} rev-parse --show-toplevel
                  OUTPUT_VARIABLE top RESULT_VARIABLE rc OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(rc EQUAL 0)
    get_filename_component(top "${top}" REALPATH)
    get_filename_component(source "${SOURCE_DIR}" REALPATH)
  endif()
  if(rc EQUAL 0 AND top STREQUAL source)
    execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} rev-parse --short=12 HEAD
                    OUTPUT_VARIABLE commit RESULT_VARIABLE rc OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT rc EQUAL 0)
      set(commit "")
    else()
      execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} diff-index --quiet HEAD --
                      RESULT_VARIABLE dirty OUTPUT_QUIET ERROR_QUIET)
      if(dirty EQUAL 1)
        string(APPEND commit "-dirty")
      endif()
    endif()
  endif()
endif()
set(text "// Made by cmake/version.cmake at build time.\n#include \"driver/OPTIONS.h\"\n\nconst char* const OPTIONS_VERSION = \"${VERSION}\";\nconst char* const OPTIONS_COMMIT = \"${commit}\";\n")
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
else()
  set(old "")
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUT}" "${text}")
endif()
