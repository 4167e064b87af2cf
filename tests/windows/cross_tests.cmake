# Cross builds: GoogleTest from Debian's sources, built for the Windows target (the
# installed libraries are Linux ones), and the Windows tests run under Wine.
set(ORVEX_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
if(NOT EXISTS ${ORVEX_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources at ${ORVEX_GOOGLETEST_SOURCE} (Debian: googletest)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${ORVEX_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Made by the first test and removed by the last; scripts/test-windows.sh puts it
# in a temporary folder.
set(ORVEX_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH "Throwaway Wine prefix of the tests")

# Wine sees the host's root as drive Z:.
string(REPLACE "/" "\\" ORVEX_TEST_DATA_WINDOWS "Z:${PROJECT_SOURCE_DIR}/tests/data")

# orvex_add_windows_test(<target>): the whole program as one test, run by the
# emulator in the throwaway prefix (one Wine start per program, not per case).
function(orvex_add_windows_test name)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wine_prefix
    ENVIRONMENT "WINEPREFIX=${ORVEX_WINEPREFIX};WINEDEBUG=-all;ORVEX_TEST_DATA=${ORVEX_TEST_DATA_WINDOWS}")
endfunction()
