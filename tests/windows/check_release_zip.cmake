# Makes the release zip as scripts/build-windows does and fails unless it
# holds exactly the launcher, its README and licence, and the stand-in
# suite: a WORD.EXE for every program word and an empty DATOS folder.
#
#   cmake -DBUILD_DIR=... -DVERSION=... -DWORDS="ABACO;..." -P check_release_zip.cmake
cmake_minimum_required(VERSION 3.25)

set(out ${BUILD_DIR}/release-check)
file(REMOVE_RECURSE ${out})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G ZIP -B ${out} WORKING_DIRECTORY ${BUILD_DIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
set(zip ${out}/korvante-${VERSION}-win64.zip)
if(NOT result EQUAL 0 OR NOT EXISTS ${zip})
  message(FATAL_ERROR "cpack did not make ${zip}:\n${output}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zip} OUTPUT_VARIABLE listing RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot list ${zip}")
endif()
string(REGEX REPLACE "\n$" "" listing "${listing}")
string(REPLACE "\n" ";" entries "${listing}")
list(SORT entries)

set(top korvante-${VERSION}-win64)
set(expected ${top}/KORVANTE/ ${top}/KORVANTE/DATOS/ ${top}/LICENSE ${top}/README.md ${top}/korvante.exe)
foreach(word IN LISTS WORDS)
  list(APPEND expected ${top}/KORVANTE/${word}.EXE)
endforeach()
list(SORT expected)
if(NOT entries STREQUAL expected)
  string(REPLACE ";" "\n  " entries "${entries}")
  string(REPLACE ";" "\n  " expected "${expected}")
  message(FATAL_ERROR "${zip} holds\n  ${entries}\nwhere it should hold\n  ${expected}")
endif()
message(STATUS "${zip}: ${listing}")
