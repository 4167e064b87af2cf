# cmake -DCPACK=<cpack> -DBUILD=<build folder> -DWINE=<wine> -DWORK=<folder> -P installer.cmake
# Makes the NSIS installer, installs silently under Wine (WINEPREFIX from the test),
# checks the program, the Start-menu entry and the registry key, then uninstalls and
# checks they went, the vendor's key above the program's too.
cmake_minimum_required(VERSION 3.21)
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CPACK} -G NSIS -B ${WORK} --config ${BUILD}/CPackConfig.cmake
                RESULT_VARIABLE failed OUTPUT_QUIET)
file(GLOB setup ${WORK}/*-setup.exe)
if(failed OR NOT setup)
  message(FATAL_ERROR "cpack made no installer")
endif()

set(target ${WORK}/installed)
string(REPLACE "/" "\\" target_windows "Z:${target}")
set(menu "$ENV{WINEPREFIX}/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Orvex chat colours")
function(run)
  # No pipes: Wine's background programs would hold them open and this would wait.
  execute_process(COMMAND ${WINE} ${ARGN} RESULT_VARIABLE status OUTPUT_FILE /dev/null
                  ERROR_FILE /dev/null)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): ${ARGN}")
  endif()
endfunction()

include(${BUILD}/CPackConfig.cmake)  # the vendor's name
set(vendor_key "HKLM\\Software\\${CPACK_PACKAGE_VENDOR}")

run(${setup} /S /D=${target_windows})
foreach(file ${target}/orvexcolors.exe ${target}/README.txt ${target}/Uninstall.exe
             "${menu}/Orvex chat colours.lnk")
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "the installer did not make ${file}")
  endif()
endforeach()
run(reg query "${vendor_key}")

# _?= runs the uninstaller in place, so that this waits for it.
run(${target}/Uninstall.exe /S _?=${target_windows})
foreach(file ${target}/orvexcolors.exe "${menu}")
  if(EXISTS "${file}")
    message(FATAL_ERROR "the uninstaller left ${file}")
  endif()
endforeach()
execute_process(COMMAND ${WINE} reg query "${vendor_key}" RESULT_VARIABLE missing
                OUTPUT_FILE /dev/null ERROR_FILE /dev/null)
if(NOT missing)  # `reg query` exits with 1 for a missing key
  message(FATAL_ERROR "the uninstaller left ${vendor_key}")
endif()
file(REMOVE_RECURSE ${WORK})
