# The help file Carvel.chm, compiled from chm/ into the programs' folder. The sources are
# staged in the build tree so that chmcmd writes nothing into the source tree.
find_program(CHMCMD chmcmd REQUIRED)
set(CARVEL_HELP_SOURCES
    Carvel.hhp Carvel.hhc Carvel.hhk Popups.txt
    Welcome.htm Window.htm Splitting.htm Joining.htm PieceSet.htm JoinScript.htm Seamer.htm
    CommandLine.htm
)
set(stage ${CMAKE_BINARY_DIR}/help/chm)
set(CARVEL_HELP_FILE ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Carvel.chm)
set(staged)
foreach(source IN LISTS CARVEL_HELP_SOURCES)
    add_custom_command(OUTPUT ${stage}/${source}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different
                ${CMAKE_CURRENT_LIST_DIR}/chm/${source} ${stage}/${source}
        DEPENDS ${CMAKE_CURRENT_LIST_DIR}/chm/${source})
    list(APPEND staged ${stage}/${source})
endforeach()
add_custom_command(OUTPUT ${CARVEL_HELP_FILE}
    COMMAND ${CMAKE_COMMAND} -DCHMCMD=${CHMCMD} -DPROJECT_DIR=${stage} -DPROJECT=Carvel.hhp
            -DOUTPUT=${CARVEL_HELP_FILE} -P ${CMAKE_CURRENT_LIST_DIR}/CompileHelp.cmake
    DEPENDS ${staged} ${CMAKE_CURRENT_LIST_DIR}/CompileHelp.cmake
    COMMENT "Compiling the help file Carvel.chm")
# Named so, since CMake keeps the name "help" for itself.
add_custom_target(carvel_help_file ALL DEPENDS ${CARVEL_HELP_FILE})
