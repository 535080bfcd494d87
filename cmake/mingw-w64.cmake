# Cross build for 64-bit Windows from Debian 12: MinGW-w64 with POSIX threads
# (package g++-mingw-w64-x86-64-posix), as the preset "windows-cross" uses it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries and headers of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime, libgcc and winpthread linked in: each .exe runs alone on a
# Windows machine that has none of MinGW's DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The tests run here through Wine, when it is installed.
find_program(ORTIX_WINE NAMES wine)
if(ORTIX_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ORTIX_WINE})
endif()
