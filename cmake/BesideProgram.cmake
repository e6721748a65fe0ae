# SPDX-License-Identifier: GPL-3.0-or-later
# brevanto_beside_program(<target> <source> <name> [<source> <name> ...])
# A target, built by default, that copies files next to the executables (bin/), where the program
# loads them from its own folder: <source> becomes bin/<name>.
function(brevanto_beside_program target)
    set(outputs)
    set(commands)
    set(sources)
    set(pairs ${ARGN})
    while(pairs)
        list(POP_FRONT pairs source name)
        set(output ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name})
        get_filename_component(folder ${output} DIRECTORY)
        list(APPEND outputs ${output})
        list(APPEND sources ${source})
        list(APPEND commands COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
                             COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${output})
    endwhile()
    add_custom_command(OUTPUT ${outputs} ${commands} DEPENDS ${sources}
                       COMMENT "Copying ${target} beside the program")
    add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()
