# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows folder and installer (`make windows`, scripts/windows/build). Included at the end of
# the top-level CMakeLists.txt when building for Windows, once the targets exist.
#
# The install folder is the program's folder: the programs with the DLLs and Qt plugins they load,
# the QML modules and fonts a board may use, the help page and the board contract, the gallery
# under boards/, and the licences. The board itself, brevanto.dll with its parts, is put in place
# by the installer from the gallery (cmake/windows/board.nsh), and by scripts/windows/build for
# the portable folder and its zip.

set(CPACK_PACKAGE_VENDOR "The Brevanto developers")

# The programs of the folder, each a name and what it is, for its version information.
set(windows_programs
    brevanto "Brevanto scoreboard"
    brevanto-board "Brevanto board process"
)
# The preview tool for board authors joins them once it is built (a target brevanto-preview):
if(TARGET brevanto-preview)
    list(APPEND windows_programs brevanto-preview "Brevanto board preview")
endif()

# --- The tools, on Debian or on Windows ---------------------------------------------------------
# ImageMagick makes the icon and the installer's pictures: convert on Debian, magick on Windows
# (where convert is a tool of the system's own). Bash runs scripts/windows/deploy: on Windows,
# Git's.
if(CMAKE_HOST_WIN32)
    find_program(BREVANTO_CONVERT magick DOC "ImageMagick, which makes the pictures")
    find_program(BREVANTO_BASH bash HINTS "$ENV{ProgramFiles}/Git/bin" DOC "Git's bash")
else()
    find_program(BREVANTO_CONVERT convert DOC "ImageMagick, which makes the pictures")
    find_program(BREVANTO_BASH bash DOC "bash")
endif()
if(NOT BREVANTO_CONVERT)
    message(FATAL_ERROR "ImageMagick makes the Windows icon: apt-get install imagemagick (on "
                        "Windows, install ImageMagick 7 and put magick on the PATH)")
endif()
if(NOT BREVANTO_BASH)
    message(FATAL_ERROR "bash lays out the folder (scripts/windows/deploy): on Windows, install Git")
endif()
# Where the fonts and the licence texts below come from: Debian's packages unless given.
set(BREVANTO_FONTS "" CACHE PATH
    "A folder that holds the DejaVu and Liberation 2 TTF files, in folders of its own or not")
set(BREVANTO_LICENCES "" CACHE PATH
    "A folder that holds GCC-runtime.txt, mingw-w64.txt, DejaVu-fonts.txt and Liberation-fonts.txt")

# --- The icon and version information in each executable ---------------------------------------
set(icon ${CMAKE_BINARY_DIR}/windows/brevanto.ico)
set(icon_pictures)
foreach(side 16 24 32 48 64 128 256)
    list(APPEND icon_pictures ${PROJECT_SOURCE_DIR}/resources/icons/clock-${side}.png)
endforeach()
add_custom_command(OUTPUT ${icon}
    COMMAND ${BREVANTO_CONVERT} ${icon_pictures} ${icon}
    DEPENDS ${icon_pictures}
    COMMENT "Making the Windows icon from resources/icons")
add_custom_target(brevanto_icon DEPENDS ${icon})

set(programs)
set(program_files)
set(pairs ${windows_programs})
while(pairs)
    list(POP_FRONT pairs name description)
    list(APPEND programs ${name})
    list(APPEND program_files $<TARGET_FILE_NAME:${name}>)
    set(resources ${CMAKE_BINARY_DIR}/windows/${name}.rc)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/version.rc.in ${resources} @ONLY)
    target_sources(${name} PRIVATE ${resources})
    set_source_files_properties(${resources} TARGET_DIRECTORY ${name}
                                PROPERTIES OBJECT_DEPENDS ${icon})
    add_dependencies(${name} brevanto_icon)
endwhile()
install(TARGETS ${programs} RUNTIME DESTINATION .)

# --- What the programs load at run time ---------------------------------------------------------
# The QML modules every board may import (docs/boards.md, "QML modules"), whether or not a
# gallery board does, with those the gallery and the board's stage import: qmlimportscanner
# lists them with the modules they bring, as found in the Windows Qt.
set(contract ${CMAKE_BINARY_DIR}/windows/board-contract.qml)
file(CONFIGURE OUTPUT ${contract}
     CONTENT "import QtQuick\nimport QtQuick.Window\nimport QtQml.WorkerScript\nItem {}\n")
file(GLOB_RECURSE gallery_qml CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/display/movie/*.qml)
set(stage ${PROJECT_SOURCE_DIR}/display/player/stage.qml)
find_program(BREVANTO_QMLIMPORTSCANNER qmlimportscanner
    PATHS ${QT_HOST_PATH}/${QT6_HOST_INFO_LIBEXECDIR} ${QT_HOST_PATH}/libexec
          ${QT_HOST_PATH}/lib/qt6/libexec ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS}
    NO_DEFAULT_PATH)
if(NOT BREVANTO_QMLIMPORTSCANNER)
    message(FATAL_ERROR "No qmlimportscanner among the host's Qt tools (qt6-declarative-dev-tools)")
endif()
set(qml_imports ${CMAKE_BINARY_DIR}/windows/qml-imports.json)
add_custom_command(OUTPUT ${qml_imports}
    COMMAND ${BREVANTO_QMLIMPORTSCANNER} -qmlFiles ${gallery_qml} ${stage} ${contract}
            -importPath ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_QML} > ${qml_imports}
    DEPENDS ${gallery_qml} ${stage} ${contract}
    COMMENT "Listing the QML modules the boards import")
add_custom_target(brevanto_qml_imports ALL DEPENDS ${qml_imports})

install(CODE "
    set(BREVANTO_QML_IMPORTS \"${qml_imports}\")
    set(BREVANTO_QT_WINDOWS \"${QT6_INSTALL_PREFIX}\")
    set(BREVANTO_DEPLOY \"${PROJECT_SOURCE_DIR}/scripts/windows/deploy\")
    set(BREVANTO_PROGRAMS \"${program_files}\")
    set(OBJDUMP \"${CMAKE_OBJDUMP}\")
    set(STRIP \"${CMAKE_STRIP}\")
    set(CXX \"${CMAKE_CXX_COMPILER}\")
    set(BREVANTO_BASH \"${BREVANTO_BASH}\")
    include(\"${CMAKE_CURRENT_LIST_DIR}/InstallRuntime.cmake\")")

# The fonts docs/boards.md promises every board, from Debian's fonts-dejavu-core and
# fonts-liberation2 or from BREVANTO_FONTS. The board's process draws on the offscreen platform, which reads fonts
# only from a folder "fonts" in Qt's library folder; qt.conf makes that the program's folder.
set(font_names)
foreach(font DejaVuSans DejaVuSans-Bold DejaVuSansMono DejaVuSansMono-Bold DejaVuSerif
             DejaVuSerif-Bold)
    list(APPEND font_names dejavu/${font}.ttf)
endforeach()
foreach(family Sans Serif Mono)
    foreach(style Regular Bold Italic BoldItalic)
        list(APPEND font_names liberation2/Liberation${family}-${style}.ttf)
    endforeach()
endforeach()
set(fonts)
foreach(name IN LISTS font_names)
    get_filename_component(file ${name} NAME)
    if(BREVANTO_FONTS)
        file(GLOB_RECURSE found ${BREVANTO_FONTS}/${file})
        list(POP_FRONT found font)
        set(missing "No ${file} in BREVANTO_FONTS=${BREVANTO_FONTS}")
    else()
        set(font /usr/share/fonts/truetype/${name})
        set(missing "No ${font}: apt-get install fonts-dejavu-core fonts-liberation2")
    endif()
    if(NOT EXISTS "${font}")
        message(FATAL_ERROR ${missing})
    endif()
    list(APPEND fonts ${font})
endforeach()
install(FILES ${fonts} DESTINATION fonts)
file(WRITE ${CMAKE_BINARY_DIR}/windows/qt.conf "[Paths]\nPrefix=.\nLibraries=.\n")
install(FILES ${CMAKE_BINARY_DIR}/windows/qt.conf DESTINATION .)

# For the tests that play boards through the board's process (tests/preview): bin/, where the
# process lies beside them, laid out as the installed folder is for it: the DLLs it and the QML
# modules import, the modules, the fonts and qt.conf.
if(BUILD_TESTING)
    set(bin ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
    set(board_runtime ${CMAKE_BINARY_DIR}/windows/board-runtime.stamp)
    add_custom_command(OUTPUT ${board_runtime}
        COMMAND ${CMAKE_COMMAND} -DCMAKE_INSTALL_PREFIX=${bin}
                -DBREVANTO_QML_IMPORTS=${qml_imports} -DBREVANTO_QT_WINDOWS=${QT6_INSTALL_PREFIX}
                -DBREVANTO_DEPLOY=${PROJECT_SOURCE_DIR}/scripts/windows/deploy
                -DBREVANTO_PROGRAMS=$<TARGET_FILE_NAME:brevanto-board>
                -DOBJDUMP=${CMAKE_OBJDUMP} -DSTRIP=${CMAKE_STRIP} -DCXX=${CMAKE_CXX_COMPILER}
                -DBREVANTO_BASH=${BREVANTO_BASH} -P ${CMAKE_CURRENT_LIST_DIR}/InstallRuntime.cmake
        COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/fonts
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${fonts} ${bin}/fonts
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_BINARY_DIR}/windows/qt.conf ${bin}
        COMMAND ${CMAKE_COMMAND} -E touch ${board_runtime}
        DEPENDS ${qml_imports} brevanto-board ${fonts} ${CMAKE_CURRENT_LIST_DIR}/InstallRuntime.cmake
        COMMENT "Laying out bin/ for the board's process as the installed folder"
        VERBATIM)
    add_custom_target(brevanto_board_runtime DEPENDS ${board_runtime})
endif()

# --- What people read ---------------------------------------------------------------------------
# help.html is installed with the console (console/help.cmake); the contract for board authors
# lies beside it.
install(FILES ${PROJECT_SOURCE_DIR}/docs/boards.md DESTINATION .)
# The licences: Brevanto's, Qt's (with those of the libraries Qt brings), the MinGW runtime's
# (GCC's runtime library exception, mingw-w64's for winpthreads) and the fonts', the last ones
# as Debian's packages state them or as BREVANTO_LICENCES holds them.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
# Qt's texts lie in its own folder licenses, or, in a kit of the Qt installer, in the installer's
# folder Licenses two levels up (C:\Qt\Licenses beside C:\Qt\6.x.y\mingw_64).
set(qt_licences)
foreach(folder ${QT6_INSTALL_PREFIX}/licenses ${QT6_INSTALL_PREFIX}/../../Licenses)
    if(IS_DIRECTORY ${folder} AND NOT qt_licences)
        # Its real path: install(DIRECTORY) would not go into its folders through a link.
        file(REAL_PATH ${folder} qt_licences)
    endif()
endforeach()
if(NOT qt_licences)
    message(FATAL_ERROR "No licence texts beside the Windows Qt in ${QT6_INSTALL_PREFIX}: the "
                        "folder Brevanto ships with the Qt DLLs needs them (licenses, or ../../Licenses)")
endif()
install(DIRECTORY ${qt_licences}/ DESTINATION licenses/Qt)
set(licences
    gcc-mingw-w64-x86-64-posix-runtime GCC-runtime.txt
    mingw-w64-x86-64-dev mingw-w64.txt
    fonts-dejavu-core DejaVu-fonts.txt
    fonts-liberation2 Liberation-fonts.txt)
while(licences)
    list(POP_FRONT licences package name)
    if(BREVANTO_LICENCES)
        set(copyright ${BREVANTO_LICENCES}/${name})
        set(missing "No ${name} in BREVANTO_LICENCES=${BREVANTO_LICENCES}")
    else()
        set(copyright /usr/share/doc/${package}/copyright)
        set(missing "No ${copyright}: apt-get install ${package}")
    endif()
    if(NOT EXISTS ${copyright})
        message(FATAL_ERROR ${missing})
    endif()
    install(FILES ${copyright} DESTINATION licenses RENAME ${name})
endwhile()

# --- The installer ------------------------------------------------------------------------------
# brevanto-<version>-win64.exe: per machine under Program Files, a Start-menu entry, the board
# chosen on a page of its own (with the gallery's picture of it) or with /BOARD=NAME, an upgrade
# that first runs the old version's uninstaller (so that nothing of it stays behind) and keeps a
# board the club has put in place; silent with /S. Its pages wear Brevanto's artwork, show the
# licence to read, and offer to start Brevanto at the end.

# NSIS shows BMP pictures only: the artwork's installer pictures, and each board's picture from
# the gallery (docs/boards) at the size its page shows it.
set(installer_pictures ${CMAKE_BINARY_DIR}/windows/installer)
file(MAKE_DIRECTORY ${installer_pictures}/boards)
set(bitmaps)
macro(installer_picture png bmp)
    add_custom_command(OUTPUT ${bmp}
        COMMAND ${BREVANTO_CONVERT} ${png} ${ARGN} -type TrueColor BMP3:${bmp}
        DEPENDS ${png}
        COMMENT "Making the installer's picture ${bmp}")
    list(APPEND bitmaps ${bmp})
endmacro()
foreach(name side header)
    installer_picture(${PROJECT_SOURCE_DIR}/resources/installer/${name}.png
                      ${installer_pictures}/${name}.bmp)
endforeach()
foreach(board IN LISTS BREVANTO_BOARDS)
    installer_picture(${PROJECT_SOURCE_DIR}/docs/boards/${board}.png
                      ${installer_pictures}/boards/${board}.bmp -resize 240x135)
endforeach()
add_custom_target(brevanto_installer_pictures ALL DEPENDS ${bitmaps})
set(gallery_nsh ${CMAKE_BINARY_DIR}/windows/gallery.nsh)
string(CONCAT gallery_text
    "# The gallery's boards (display/movie/CMakeLists.txt), for the installer.\n"
    "!define BREVANTO_DEFAULT_BOARD \"${BREVANTO_DEFAULT_BOARD}\"\n"
    "!define BREVANTO_BOARD_PICTURES \"${installer_pictures}/boards\"\n"
    "!macro BrevantoForEachBoard MACRO\n")
foreach(board IN LISTS BREVANTO_BOARDS)
    string(APPEND gallery_text "  !insertmacro \${MACRO} \"${board}\"\n")
endforeach()
string(APPEND gallery_text "!macroend\n")
file(WRITE ${gallery_nsh} "${gallery_text}")

set(CPACK_GENERATOR NSIS)
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME Brevanto)
set(CPACK_PACKAGE_FILE_NAME brevanto-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Brevanto)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Brevanto)
set(CPACK_PACKAGE_EXECUTABLES brevanto Brevanto)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_PACKAGE_NAME Brevanto)
set(CPACK_NSIS_DISPLAY_NAME Brevanto)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_MUI_ICON ${icon})
set(CPACK_NSIS_MUI_UNIICON ${icon})
set(CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP ${installer_pictures}/side.bmp)
set(CPACK_NSIS_MUI_HEADERIMAGE ${installer_pictures}/header.bmp)
set(CPACK_NSIS_INSTALLED_ICON_NAME brevanto.exe)
set(CPACK_NSIS_URL_INFO_ABOUT https://github.com/brevanto/brevanto)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# A 64-bit installer for a 64-bit program: it runs where the program runs, also under a Wine
# without 32-bit support, and sees the 64-bit registry and Program Files.
string(CONCAT CPACK_NSIS_DEFINES
    "Target amd64-unicode\n"
    "!define BREVANTO_LICENCE \"${PROJECT_SOURCE_DIR}/LICENSE\"\n"
    "!include \"${gallery_nsh}\"\n"
    "!include \"${CMAKE_CURRENT_LIST_DIR}/pages.nsh\"\n"
    "!include \"${CMAKE_CURRENT_LIST_DIR}/board.nsh\"")
# The licence to read, then the board's page.
set(CPACK_NSIS_LICENSE_PAGE "!insertmacro BrevantoLicencePage\nPage custom BrevantoBoardPage BrevantoBoardPageLeave")
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS "Call BrevantoBeforeFiles")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "Call BrevantoPlaceBoard")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "Call un.BrevantoRemovePlacedBoard")
include(CPack)
