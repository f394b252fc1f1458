# cmake -D program=FILE -D copy_script=FILE -D work=FOLDER -P build_test.cmake
# Checks what the build leaves: a program that names no library search path
# (no RPATH or RUNPATH, so never the current folder), and a translation file in
# the build folder that a later build keeps when the user edited it. The
# libraries of the commands loaded on first use (the PostgreSQL client, SQLite,
# Qt Print Support, Qt Svg) are not among those loaded at start.
execute_process(COMMAND readelf -d "${program}" OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "readelf cannot read ${program}")
endif()
if(dynamic MATCHES "R(UN)?PATH")
  message(FATAL_ERROR "the program names library search paths:\n${dynamic}")
endif()
foreach(later libpq libsqlite3 libQt6PrintSupport libQt6Svg)
  if(dynamic MATCHES "${later}")
    message(FATAL_ERROR "the program loads ${later} at start:\n${dynamic}")
  endif()
endforeach()

file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")
file(WRITE "${work}/shipped.txt" "shipped")
execute_process(COMMAND ${CMAKE_COMMAND} -D source=${work}/shipped.txt -D target=${work} -P ${copy_script})
file(READ "${work}/trad_stk_secu.txt" first)
if(NOT first STREQUAL "shipped")
  message(FATAL_ERROR "a missing translation file is not copied: '${first}'")
endif()
file(WRITE "${work}/trad_stk_secu.txt" "edited")
execute_process(COMMAND ${CMAKE_COMMAND} -D source=${work}/shipped.txt -D target=${work} -P ${copy_script})
file(READ "${work}/trad_stk_secu.txt" kept)
file(REMOVE_RECURSE "${work}")
if(NOT kept STREQUAL "edited")
  message(FATAL_ERROR "an edited translation file is replaced: '${kept}'")
endif()
