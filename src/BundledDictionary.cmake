# Builds the bundled dictionary from a word list, once. An existing file (which its
# user may have edited since) is never replaced: only its time stamp is refreshed
# so that the build does not ask again. Run with -DCLI=... -DWORD_LIST=... -DDICTIONARY=...
if(EXISTS "${DICTIONARY}")
  file(TOUCH_NOCREATE "${DICTIONARY}")
  return()
endif()
# literon-cli import builds a new file under a temporary name itself; the ".part"
# name keeps a half-finished build step from ever looking like the dictionary.
file(REMOVE "${DICTIONARY}.part")
execute_process(COMMAND "${CLI}" import "${DICTIONARY}.part" "${WORD_LIST}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE "${DICTIONARY}.part")
  message(FATAL_ERROR "literon-cli import failed (${result}); ${DICTIONARY} was not built")
endif()
file(RENAME "${DICTIONARY}.part" "${DICTIONARY}")
