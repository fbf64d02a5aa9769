# Cross-compiles the plain-C++ core (model, MIDI engines, command-line file commands and their
# tests) for 64-bit Windows with Debian's MinGW-w64 and runs the test programs under Wine.
# Use with -DPRESETOR_GUI=OFF -DPRESETOR_RTMIDI=OFF -DPRESETOR_BENCH=OFF; GoogleTest is built
# from its sources (PRESETOR_GTEST_SOURCE_DIR, Debian's /usr/src/googletest by default).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix thread model gives std::thread and std::mutex on GCC 12.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime: the .exe files run under Wine (or on Windows) without MinGW DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs run under Wine in a prefix of the build folder, without a display and without
# offering to install Mono or Gecko.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        /usr/bin/env WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix WINEDEBUG=-all
        WINEDLLOVERRIDES=mscoree,mshtml= DISPLAY= wine)
endif()
set(PRESETOR_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to build")
