# cmake -DOBJDUMP=<objdump> -DEXE=<program.exe> -P system_dlls.cmake
# Fails unless the program imports only DLLs that every Windows has: the runtime is
# linked in, so the .exe runs where it is copied.
cmake_minimum_required(VERSION 3.21)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
set(system kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll advapi32.dll msvcrt.dll)
foreach(import IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${import}")
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST system)
    message(FATAL_ERROR "${EXE} needs ${dll}, which Windows does not bring")
  endif()
  message(STATUS "imports ${dll}")
endforeach()
