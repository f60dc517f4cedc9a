# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Korvaset developers
# The tests of a Windows cross-build, run under Wine (Debian's wine64).
#
# GoogleTest is built from the sources of Debian's googletest package. Every Windows test
# program runs through wine-run, which gives Wine a prefix of its own in the build folder.
# The prefix is made once, by the fixture test wine_prefix, which also points COM1..COM8 at
# links in wine-ports/ (see tests/wine/wine-prefix). Tests that use Wine name the fixture.

set(KORVASET_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH
    "GoogleTest sources to build for the target (Debian: googletest)")
if(NOT EXISTS ${KORVASET_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${KORVASET_GOOGLETEST_SOURCE} "
                      "(Debian: googletest)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${KORVASET_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

find_program(KORVASET_WINE wine REQUIRED)
set(KORVASET_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(KORVASET_WINE_PORTS ${CMAKE_BINARY_DIR}/wine-ports)
set(KORVASET_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
configure_file(${PROJECT_SOURCE_DIR}/tests/wine/wine-run.in ${KORVASET_WINE_RUN}
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE
               @ONLY)
# Every target made from here on runs under Wine when CTest starts it.
set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVASET_WINE_RUN})

add_test(NAME wine_prefix
         COMMAND ${PROJECT_SOURCE_DIR}/tests/wine/wine-prefix ${KORVASET_WINE_RUN}
                 ${KORVASET_WINE_PREFIX} ${KORVASET_WINE_PORTS})
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
add_test(NAME wine_stop COMMAND ${KORVASET_WINE_RUN} --stop)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)

# A test that needs the prefix (any test whose program is a Windows target).
function(korvaset_wine_test name)
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine LABELS wine)
endfunction()

# The folder of the host (Linux) build whose test programs drive Windows programs from
# outside, such as korvaset-cli.exe against korvalink-sim on a COM port.
set(KORVASET_HOST_BUILD_DIR ${PROJECT_SOURCE_DIR}/build/default CACHE PATH
    "Host build that holds korvalink-sim and the host-side test programs")
