# The tests of the Windows build, cross-built and run under Wine through
# CMAKE_CROSSCOMPILING_EMULATOR.

# GoogleTest for the target: its package when the target has one, else
# built here from Debian's sources (package googletest).
find_package(GTest QUIET)
if(NOT GTest_FOUND)
  set(KORVANTE_GOOGLETEST_SOURCES /usr/src/googletest CACHE PATH
    "GoogleTest's sources, built for the target when it has no package of GoogleTest")
  if(NOT EXISTS ${KORVANTE_GOOGLETEST_SOURCES}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest for the target and no sources in ${KORVANTE_GOOGLETEST_SOURCES} "
                        "(scripts/install-deps windows installs them)")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${KORVANTE_GOOGLETEST_SOURCES} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
endif()

# One CTest test a binary: discovering the cases one by one would start
# Wine for every binary at build time, and again for every case.
add_executable(unit_tests ${unit_test_sources})
target_link_libraries(unit_tests PRIVATE korvante_text GTest::gtest_main)
add_test(NAME unit_tests COMMAND unit_tests)

# The command lines against Windows itself: CommandLineToArgvW, the C
# runtime of a started program (argv_echo), and cmd.exe with a batch file.
add_executable(argv_echo windows/argv_echo.cc)
target_link_libraries(argv_echo PRIVATE korvante_text)
target_link_options(argv_echo PRIVATE -municode)
add_executable(windows_native_tests windows/native_test.cc)
target_link_libraries(windows_native_tests PRIVATE korvante_text GTest::gtest_main shell32)
add_dependencies(windows_native_tests argv_echo)
add_test(NAME windows_native_tests COMMAND windows_native_tests)

# The whole dialogue in process on the recording console, as on Linux.
add_library(korvante_fake_console STATIC fakes/fake_console.cc)
target_link_libraries(korvante_fake_console PUBLIC korvante_text)
add_executable(dialogue_tests ${dialogue_test_sources})
target_link_libraries(dialogue_tests PRIVATE korvante_dialogue korvante_fake_console GTest::gtest_main)
add_test(NAME dialogue_tests COMMAND dialogue_tests)

# The Win32 services against real processes and files; probe.exe is the
# program they start, and the one that runs them without a console.
add_executable(probe windows/probe.cc)
target_link_libraries(probe PRIVATE korvante_services)
add_executable(win32_services_tests windows/win32_services_test.cc)
target_link_libraries(win32_services_tests PRIVATE korvante_services GTest::gtest_main)
add_dependencies(win32_services_tests probe argv_echo)
add_test(NAME win32_services_tests COMMAND win32_services_tests)

# Every program linked statically: nothing but Windows' own DLLs.
add_test(NAME windows_static_link
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP}
          "-DPROGRAMS=$<TARGET_FILE:korvante>;$<TARGET_FILE:korvante-suite>;$<TARGET_FILE:unit_tests>;$<TARGET_FILE:windows_native_tests>;$<TARGET_FILE:argv_echo>;$<TARGET_FILE:probe>"
          -P ${CMAKE_CURRENT_SOURCE_DIR}/windows/check_imports.cmake)

# The release zip holds what a user unpacks, and nothing else.
add_test(NAME windows_release_zip
  COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DVERSION=${PROJECT_VERSION}
          "-DWORDS=${KORVANTE_PROGRAM_WORDS}" -P ${CMAKE_CURRENT_SOURCE_DIR}/windows/check_release_zip.cmake)

# Under scripts/wine-run: a fresh Wine prefix once per test run, shared by
# the tests of the run, and its server stopped at the end.
if(KORVANTE_WINE_RUN)
  add_test(NAME wine_prefix COMMAND ${KORVANTE_WINE_RUN} --fresh)
  add_test(NAME wine_server_stop COMMAND ${KORVANTE_WINE_RUN} --stop)
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(wine_server_stop PROPERTIES FIXTURES_CLEANUP wine)
  set_tests_properties(unit_tests windows_native_tests dialogue_tests win32_services_tests PROPERTIES
    FIXTURES_REQUIRED wine)
endif()
