# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows cross build: MinGW-w64 (posix threads) and the prebuilt Windows Qt, whose own
# toolchain file names the compilers and host tools. On top of it, Windows programs built here
# (the tests) run under Wine through scripts/windows/wine-run.
#   cmake -G Ninja -S <source> -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/windows/Toolchain.cmake
# The Qt is looked for in BREVANTO_QT_WINDOWS (a cache variable or the environment), by default
# /opt/qt6-mingw, where it was built to live.

if(NOT BREVANTO_QT_WINDOWS)
    if(DEFINED ENV{BREVANTO_QT_WINDOWS})
        set(BREVANTO_QT_WINDOWS $ENV{BREVANTO_QT_WINDOWS})
    else()
        set(BREVANTO_QT_WINDOWS /opt/qt6-mingw)
    endif()
endif()
set(BREVANTO_QT_WINDOWS ${BREVANTO_QT_WINDOWS} CACHE PATH "The Windows Qt the cross build uses")
# try_compile projects read this file again, with only the variables named here.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BREVANTO_QT_WINDOWS)

set(qt_toolchain ${BREVANTO_QT_WINDOWS}/lib/cmake/Qt6/qt.toolchain.cmake)
if(NOT EXISTS ${qt_toolchain})
    message(FATAL_ERROR "No Windows Qt in ${BREVANTO_QT_WINDOWS}: unpack "
                        "qt-6.4.2-mingw-w64-x86_64.tar.xz there (tar -C /opt -xJf ...)")
endif()
include(${qt_toolchain})

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../scripts/windows/wine-run)
