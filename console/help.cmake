# The help page lies beside the executable, where the "?" button opens it.
# Included from console/CMakeLists.txt.
set(help_page_source ${CMAKE_CURRENT_LIST_DIR}/help.html)
set(help_page ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/help.html)
add_custom_command(
    OUTPUT ${help_page}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${help_page_source} ${help_page}
    DEPENDS ${help_page_source}
    COMMENT "Copying the help page beside the program"
)
add_custom_target(brevanto_help ALL DEPENDS ${help_page})

if(NOT DEFINED BREVANTO_INSTALL_APPDIR)
    set(BREVANTO_INSTALL_APPDIR lib/brevanto CACHE STRING
        "Folder, under the install prefix, of the program and the files it loads beside it")
endif()
install(FILES ${help_page_source} DESTINATION ${BREVANTO_INSTALL_APPDIR})
