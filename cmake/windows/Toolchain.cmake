# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows cross build on Debian: MinGW-w64 (posix threads) and a Windows Qt, with the Qt tools
# (moc, rcc, qmlcachegen...) of a Qt that runs here. On top of it, Windows programs built here (the
# tests) run under Wine through scripts/windows/wine-run.
#   cmake -G Ninja -S <source> -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/windows/Toolchain.cmake
#
#   BREVANTO_QT_WINDOWS  the Windows Qt: a Qt 6.4 or newer for MinGW-w64 64-bit, laid out as the Qt
#                        installer lays out a kit (bin/, lib/cmake/Qt6/, plugins/, qml/), such as
#                        the shared Qt in /opt/qt6-mingw (the default) or a copy of C:\Qt\6.x.y\mingw_64
#   BREVANTO_QT_HOST     a Qt for this machine of that version or newer, whose tools the build runs:
#                        /usr (Debian's, 6.4.2) unless given, e.g. ~/Qt/6.x.y/gcc_64
# Each is a cache variable or taken from the environment. The Windows Qt's own toolchain file is
# not used: an installer's kit is made for building on Windows.

foreach(setting BREVANTO_QT_WINDOWS BREVANTO_QT_HOST)
    if(NOT ${setting} AND DEFINED ENV{${setting}})
        set(${setting} $ENV{${setting}})
    endif()
endforeach()
if(NOT BREVANTO_QT_WINDOWS)
    set(BREVANTO_QT_WINDOWS /opt/qt6-mingw)
endif()
if(NOT BREVANTO_QT_HOST)
    set(BREVANTO_QT_HOST /usr)
endif()
set(BREVANTO_QT_WINDOWS ${BREVANTO_QT_WINDOWS} CACHE PATH "The Windows Qt the cross build uses")
set(BREVANTO_QT_HOST ${BREVANTO_QT_HOST} CACHE PATH "The Qt whose tools the cross build runs")
# try_compile projects read this file again, with only the variables named here.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BREVANTO_QT_WINDOWS BREVANTO_QT_HOST)

if(NOT EXISTS ${BREVANTO_QT_WINDOWS}/lib/cmake/Qt6/Qt6Config.cmake)
    message(FATAL_ERROR "No Windows Qt in ${BREVANTO_QT_WINDOWS} (no lib/cmake/Qt6): point "
                        "BREVANTO_QT_WINDOWS at a Qt 6.4 or newer for MinGW-w64 64-bit")
endif()

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${BREVANTO_QT_WINDOWS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
list(PREPEND CMAKE_PREFIX_PATH ${BREVANTO_QT_WINDOWS}/lib/cmake)

# The Qt tools come from the host's Qt: its CMake packages lie in lib/cmake, or in Debian's
# multiarch folder under /usr.
set(QT_HOST_PATH ${BREVANTO_QT_HOST})
foreach(folder lib/cmake lib/x86_64-linux-gnu/cmake)
    if(EXISTS ${BREVANTO_QT_HOST}/${folder}/Qt6CoreTools)
        set(QT_HOST_PATH_CMAKE_DIR ${BREVANTO_QT_HOST}/${folder})
    endif()
endforeach()
if(NOT QT_HOST_PATH_CMAKE_DIR)
    message(FATAL_ERROR "No Qt tools in ${BREVANTO_QT_HOST}: point BREVANTO_QT_HOST at a Qt for "
                        "this machine of the Windows Qt's version")
endif()

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../scripts/windows/wine-run)
