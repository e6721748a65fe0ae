# SPDX-License-Identifier: GPL-3.0-or-later
# The help page lies beside the executable, where the "?" button opens it, and beside it the
# board authors' contract, which it links to. Included from console/CMakeLists.txt.
find_program(BREVANTO_CMARK cmark-gfm REQUIRED)
set(boards_page ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/boards.html)
add_custom_command(OUTPUT ${boards_page}
    COMMAND ${CMAKE_COMMAND} -DCMARK=${BREVANTO_CMARK} -DSOURCE=${PROJECT_SOURCE_DIR}/docs/boards.md
            -DOUTPUT=${boards_page} "-DTITLE=Boards for Brevanto"
            -P ${PROJECT_SOURCE_DIR}/cmake/MarkdownPage.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/boards.md ${PROJECT_SOURCE_DIR}/cmake/MarkdownPage.cmake
    COMMENT "Writing the board contract as boards.html")
add_custom_target(brevanto_boards_page ALL DEPENDS ${boards_page})
brevanto_beside_program(brevanto_help ${CMAKE_CURRENT_LIST_DIR}/help.html help.html)
add_dependencies(brevanto_help brevanto_boards_page)
install(FILES help.html ${boards_page} DESTINATION ${BREVANTO_INSTALL_APPDIR})
