# cmake -DWINE=<wine> -DTESTS=<win32_tests.exe> -DDPI=<dpi> -P at_dpi.cmake
# Runs the window's DPI test with Wine's screen set to DPI dots per inch (WINEPREFIX
# from the test), then sets the prefix back to 96.
cmake_minimum_required(VERSION 3.21)
set(key "HKCU\\Control Panel\\Desktop")
function(set_dpi value)
  execute_process(COMMAND ${WINE} reg add ${key} /v LogPixels /t REG_DWORD /d ${value} /f
                  OUTPUT_FILE /dev/null ERROR_FILE /dev/null)
endfunction()
set_dpi(${DPI})
execute_process(COMMAND ${WINE} ${TESTS} --gtest_filter=*ScalesWithTheDpi* RESULT_VARIABLE failed)
set_dpi(96)
if(failed)
  message(FATAL_ERROR "the window does not scale to ${DPI} dpi")
endif()
