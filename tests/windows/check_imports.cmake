# Fails when a program imports a DLL that is not Windows' own, such as
# MinGW's libstdc++-6.dll or libwinpthread-1.dll: a program must run from
# where it is dropped, with nothing beside it.
#
#   cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DPROGRAMS="a.exe;b.exe" -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)

set(windows_dlls kernel32.dll msvcrt.dll user32.dll shell32.dll advapi32.dll)

foreach(program IN LISTS PROGRAMS)
  execute_process(COMMAND ${OBJDUMP} -p ${program} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${program}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${dump}")
  if(NOT imports)
    message(FATAL_ERROR "${program}: no DLL imports found; is it a Windows program?")
  endif()
  foreach(import IN LISTS imports)
    string(REPLACE "DLL Name: " "" dll "${import}")
    string(TOLOWER "${dll}" dll)
    if(NOT dll IN_LIST windows_dlls)
      message(SEND_ERROR "${program} needs ${dll}, which is not part of Windows")
    endif()
  endforeach()
  message(STATUS "${program}: ${imports}")
endforeach()
