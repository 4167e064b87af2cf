# cmake -DWINE=<wine> -DPREFIX=<folder> -DACTION=create|remove -P wine_prefix.cmake
# Creates a fresh Wine prefix with the registry values the Windows tests read, or
# stops its server and removes it.
if(NOT WINE OR NOT PREFIX)
  message(FATAL_ERROR "WINE and PREFIX must be given")
endif()
get_filename_component(wine_dir ${WINE} DIRECTORY)
find_program(WINESERVER NAMES wineserver wineserver64 HINTS ${wine_dir} /usr/lib/wine)
set(ENV{WINEPREFIX} ${PREFIX})
set(ENV{WINEDEBUG} -all)
# No browser or .NET engine installers: the tests need neither.
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")

function(run)
  # No pipes: Wine's background programs would hold them open and this would wait.
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_FILE /dev/null
                  ERROR_FILE /dev/null)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): ${ARGN}")
  endif()
endfunction()

function(stop_server)
  if(WINESERVER AND EXISTS ${PREFIX})
    execute_process(COMMAND ${WINESERVER} -k OUTPUT_QUIET ERROR_QUIET)
  endif()
endfunction()

set(uninstall "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall")
if(ACTION STREQUAL "create")
  stop_server()
  file(REMOVE_RECURSE ${PREFIX})
  file(MAKE_DIRECTORY ${PREFIX})
  # A server that stays up until the last test stops it saves a start per program.
  execute_process(COMMAND ${WINESERVER} -p OUTPUT_FILE /dev/null ERROR_FILE /dev/null)
  run(${WINE} wineboot --init)
  # One value in each registry view, one in both with different data.
  run(${WINE} reg add "${uninstall}\\OrvexViewTest" /v Only32 /d "C:\\32\\icon.exe" /f /reg:32)
  run(${WINE} reg add "${uninstall}\\OrvexViewTest" /v Both /d "from 32" /f /reg:32)
  run(${WINE} reg add "${uninstall}\\OrvexViewTest" /v Only64 /d "C:\\64\\icon.exe" /f /reg:64)
  run(${WINE} reg add "${uninstall}\\OrvexViewTest" /v Both /d "from 64" /f /reg:64)
  run(${WINE} reg add "${uninstall}\\OrvexViewTest" /v Number /t REG_DWORD /d 4294967295 /f /reg:64)
elseif(ACTION STREQUAL "remove")
  stop_server()
  file(REMOVE_RECURSE ${PREFIX})
else()
  message(FATAL_ERROR "ACTION must be create or remove")
endif()
