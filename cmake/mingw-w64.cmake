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

# Qt for MinGW (shared libraries, as built from Debian's qt6-base source), when
# ORTIX_QT_MINGW names its folder; its host tools are the build machine's Qt of
# the same version (Qt's own default, QT_HOST_PATH=/usr).
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ORTIX_QT_MINGW)
if(ORTIX_QT_MINGW AND IS_DIRECTORY "${ORTIX_QT_MINGW}/lib/cmake/Qt6")
    get_filename_component(ORTIX_QT_MINGW "${ORTIX_QT_MINGW}" ABSOLUTE)
    list(APPEND CMAKE_FIND_ROOT_PATH "${ORTIX_QT_MINGW}")
endif()

# The tests run here through Wine, when it is installed.
find_program(ORTIX_WINE NAMES wine)
if(ORTIX_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ORTIX_WINE})
endif()
