# SPDX-License-Identifier: GPL-3.0-or-later
# brevanto_windows_deploy(<target> [FOLDER <folder>] [PLUGINS <kind/name>...])
# After every build of the Windows executable <target>, lays out what it needs to start in its
# own folder (or FOLDER): the DLLs it imports, walked recursively, the MinGW runtime and the Qt
# plugins its Qt modules load at run time (scripts/windows/deploy). PLUGINS adds plugins beyond
# those, e.g. platforms/qminimal. Executables deployed into one folder share its DLLs.

set(BREVANTO_WINDOWS_DEPLOY ${CMAKE_CURRENT_LIST_DIR}/../../scripts/windows/deploy)

function(brevanto_windows_deploy target)
    cmake_parse_arguments(D "" "FOLDER" "PLUGINS" ${ARGN})
    if(NOT D_FOLDER)
        set(D_FOLDER $<TARGET_FILE_DIR:${target}>)
    endif()
    set(plugins)
    foreach(plugin IN LISTS D_PLUGINS)
        list(APPEND plugins --plugin ${plugin})
    endforeach()
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E env OBJDUMP=${CMAKE_OBJDUMP} STRIP=${CMAKE_STRIP}
                ${BREVANTO_WINDOWS_DEPLOY} --qt ${QT6_INSTALL_PREFIX} ${plugins}
                ${D_FOLDER} $<TARGET_FILE:${target}>
        COMMENT "Laying out the DLLs and plugins ${target} needs"
        VERBATIM)
endfunction()
