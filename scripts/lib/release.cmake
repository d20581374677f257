# cmake -D FACT=NAME -P release.cmake: prints the fact NAME of cmake/Release.cmake, as the
# build sees it (scripts/lib/release.sh).
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/Release.cmake)
if(NOT DEFINED FACT OR NOT DEFINED ${FACT})
  message(FATAL_ERROR "release.cmake: no fact '${FACT}' in cmake/Release.cmake")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${${FACT}}")
