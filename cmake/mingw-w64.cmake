# Cross-compiles the Qt-free core for 64-bit Windows with mingw-w64 (the posix
# thread model, which std::thread and <mutex> need) and runs the programs it
# builds under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORVEX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVEX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVEX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVEX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORVEX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime: the .exe files then run under any Wine prefix without the
# compiler's DLLs on its path.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(ORVEX_WINE NAMES wine wine64)
if(ORVEX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVEX_WINE})
endif()
