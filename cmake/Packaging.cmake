# SPDX-License-Identifier: GPL-3.0-or-later
# Installation and the Debian package (`make package`, scripts/make-package). Included at the end
# of the top-level CMakeLists.txt, once the targets exist.
#
# The program and the files it loads from its own folder go to BREVANTO_INSTALL_APPDIR; the
# movie and the help page are installed beside it by their own folders. Every executable of the
# program is one more name here:
install(TARGETS brevanto brevanto-board brevanto-preview RUNTIME DESTINATION ${BREVANTO_INSTALL_APPDIR})

set(desktop_files ${PROJECT_SOURCE_DIR}/console/desktop)

# A launcher on the PATH starts the program, and one the board authors' preview, in their own
# folder.
file(RELATIVE_PATH launcher_to_app /${CMAKE_INSTALL_BINDIR} /${BREVANTO_INSTALL_APPDIR})
foreach(launched IN ITEMS brevanto brevanto-preview)
    configure_file(${desktop_files}/brevanto.in ${launched}-launcher @ONLY)
    install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/${launched}-launcher
            DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME ${launched})
endforeach()

# The desktop entry, the AppStream metainfo and the icon at each size resources/icons holds, all
# named by the application id.
install(FILES ${desktop_files}/${BREVANTO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
file(GLOB icons CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/icons/clock-*.png)
foreach(icon IN LISTS icons)
    get_filename_component(side ${icon} NAME_WE)
    string(REPLACE "clock-" "" side ${side})
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${side}x${side}/apps
            RENAME ${BREVANTO_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/clock.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${BREVANTO_APP_ID}.svg)

# The release's date is its heading's in CHANGELOG.md, "## 0.2.0 (2026-12-07)": the version is
# written once, in project(), and a version without its changelog entry does not configure.
string(REPLACE "." "\\." version_pattern ${PROJECT_VERSION})
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md release_heading
     REGEX "^## ${version_pattern} \\([0-9]+-[0-9]+-[0-9]+\\)$")
string(REGEX MATCH "[0-9]+-[0-9]+-[0-9]+" BREVANTO_RELEASE_DATE "${release_heading}")
if(NOT BREVANTO_RELEASE_DATE)
    message(FATAL_ERROR "CHANGELOG.md has no heading \"## ${PROJECT_VERSION} (YYYY-MM-DD)\"")
endif()
configure_file(${desktop_files}/metainfo.xml.in ${BREVANTO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${BREVANTO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(FILES ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${desktop_files}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/brevanto)

# The Debian package, brevanto_<version>_<architecture>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brevanto)
set(CPACK_PACKAGE_VENDOR "The Brevanto developers")
set(BREVANTO_PACKAGE_MAINTAINER "The Brevanto developers" CACHE STRING
    "The Maintainer field of the Debian package: name <e-mail>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${BREVANTO_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_HOMEPAGE_URL https://github.com/brevanto/brevanto)
set(CPACK_PACKAGE_DESCRIPTION
    "Brevanto keeps the scoreboard of a game between two teams played in periods against a game
clock: basketball, handball, futsal, hockey. The scorer runs points, fouls, the period and the
clock from the keyboard; the board is projected or shown on a second screen, full screen if
need be.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_STRIP_FILES ON)
# The libraries come from dpkg-shlibdeps; among them libqt6multimedia6, which on Debian 12 also
# carries the multimedia backends and the PulseAudio output the horn plays through. What the
# program loads only at run time no library scan finds: the QML modules the board imports and
# the fonts it and the operator window are drawn in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qml6-module-qtquick, qml6-module-qtquick-window, qml6-module-qtqml-workerscript, \
fonts-dejavu-core, fonts-liberation2")
# Native on Wayland only with the platform plugin; without it the program runs through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# The board beside the program is the alternative brevanto-scoreboard over the gallery, managed
# by the package's scripts (BREVANTO_BOARD_ALTERNATIVES leaves the place to them).
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(BREVANTO_MOVIE_LINK ${CPACK_PACKAGING_INSTALL_PREFIX}/${BREVANTO_INSTALL_APPDIR}/brevanto.dll)
set(BREVANTO_BOARD_FOLDER ${CPACK_PACKAGING_INSTALL_PREFIX}/${BREVANTO_INSTALL_BOARDDIR})
set(BREVANTO_BOARD_PRIORITIES)
foreach(board IN LISTS BREVANTO_BOARDS)
    if(board STREQUAL BREVANTO_DEFAULT_BOARD)
        list(APPEND BREVANTO_BOARD_PRIORITIES ${board}:50)
    else()
        list(APPEND BREVANTO_BOARD_PRIORITIES ${board}:10)
    endif()
endforeach()
list(JOIN BREVANTO_BOARD_PRIORITIES " " BREVANTO_BOARD_PRIORITIES)
foreach(script IN ITEMS postinst prerm)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/${script}.in debian/${script} @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_BINARY_DIR}/debian/postinst
    ${CMAKE_CURRENT_BINARY_DIR}/debian/prerm)
include(CPack)
