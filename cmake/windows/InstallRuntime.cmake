# SPDX-License-Identifier: GPL-3.0-or-later
# Run at install time (install(CODE), cmake/windows/Packaging.cmake), with
#   BREVANTO_QML_IMPORTS  qmlimportscanner's list of the modules the boards import
#   BREVANTO_QT_WINDOWS   the Windows Qt, BREVANTO_DEPLOY  scripts/windows/deploy
#   BREVANTO_PROGRAMS     the installed programs' file names, OBJDUMP, STRIP and CXX (the
#                         compiler, whose runtime the folder gets), BREVANTO_BASH to run the script
# Copies each module the boards import into qml/ (its own files; a module below it only if it is
# imported too), then lays out every DLL the programs and those modules' plugins import, walked
# with objdump, and the Qt plugins the programs load: the folder then needs nothing else.
set(prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

file(READ "${BREVANTO_QML_IMPORTS}" imports)
string(JSON count LENGTH "${imports}")
math(EXPR last "${count} - 1")
set(module_plugins)
foreach(i RANGE ${last})
    string(JSON type GET "${imports}" ${i} type)
    if(NOT type STREQUAL "module")
        continue()
    endif()
    string(JSON name GET "${imports}" ${i} name)
    string(JSON path ERROR_VARIABLE missing GET "${imports}" ${i} path)
    if(missing OR NOT IS_DIRECTORY "${path}")
        message(FATAL_ERROR "The boards import ${name}, which the Windows Qt does not have")
    endif()
    string(JSON relative GET "${imports}" ${i} relativePath)
    file(GLOB files LIST_DIRECTORIES false "${path}/*")
    file(INSTALL ${files} DESTINATION "${prefix}/qml/${relative}")
    foreach(file IN LISTS files)
        if(file MATCHES "\\.dll$")
            get_filename_component(file_name "${file}" NAME)
            list(APPEND module_plugins "${prefix}/qml/${relative}/${file_name}")
        endif()
    endforeach()
endforeach()

set(programs)
foreach(program IN LISTS BREVANTO_PROGRAMS)
    list(APPEND programs "${prefix}/${program}")
endforeach()
message(STATUS "Laying out the DLLs and Qt plugins of: ${BREVANTO_PROGRAMS}")
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env OBJDUMP=${OBJDUMP} STRIP=${STRIP} CXX=${CXX}
            "${BREVANTO_BASH}" "${BREVANTO_DEPLOY}" --qt "${BREVANTO_QT_WINDOWS}" "${prefix}" ${programs} ${module_plugins}
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "scripts/windows/deploy failed (${status})")
endif()
