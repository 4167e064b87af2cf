# cmake -DCPACK=<cpack> -DBUILD=<build folder> -DWINE=<wine> -DWORK=<folder> -P installer.cmake
# Makes the NSIS installer, installs silently under Wine (WINEPREFIX from the test),
# checks the program and the Start-menu entry, then uninstalls and checks they went.
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

run(${setup} /S /D=${target_windows})
foreach(file ${target}/orvexcolors.exe ${target}/README.txt ${target}/Uninstall.exe
             "${menu}/Orvex chat colours.lnk")
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "the installer did not make ${file}")
  endif()
endforeach()

# _?= runs the uninstaller in place, so that this waits for it.
run(${target}/Uninstall.exe /S _?=${target_windows})
foreach(file ${target}/orvexcolors.exe "${menu}")
  if(EXISTS "${file}")
    message(FATAL_ERROR "the uninstaller left ${file}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
