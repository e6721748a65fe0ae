# SPDX-License-Identifier: GPL-3.0-or-later
# brevanto_seams(<target> <name> [<name> ...])
# Each operating-system mechanism is one header, <name>.h, with one file per system,
# <name>_<system>.cpp (linux, windows); the build takes the file of the system it builds for.
string(TOLOWER "${CMAKE_SYSTEM_NAME}" BREVANTO_SYSTEM)
function(brevanto_seams target)
    foreach(name IN LISTS ARGN)
        set(file ${CMAKE_CURRENT_SOURCE_DIR}/${name}_${BREVANTO_SYSTEM}.cpp)
        if(NOT EXISTS ${file})
            message(FATAL_ERROR "${name}.h has no file for ${CMAKE_SYSTEM_NAME}: ${file}")
        endif()
        target_sources(${target} PRIVATE ${name}.h ${file})
    endforeach()
endfunction()
