# Compiles the help project with chmcmd and checks the result. chmcmd reports success for a
# project file it cannot find and may leave a cut-off file behind when it fails, so the
# output is checked for the archive's signature and its recorded length, and removed when
# anything is wrong, failing the build.
#
# Inputs: CHMCMD, PROJECT_DIR (the staged sources), PROJECT (the .hhp name), OUTPUT.

set(compiled "${PROJECT_DIR}/Carvel.chm")
file(REMOVE "${compiled}" "${OUTPUT}")
execute_process(COMMAND "${CHMCMD}" --no-html-scan --verbosity 1 "${PROJECT}"
                WORKING_DIRECTORY "${PROJECT_DIR}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)

function(fail why)
    file(REMOVE "${compiled}" "${OUTPUT}")
    message(FATAL_ERROR "Carvel.chm was not built: ${why}\n${output}")
endfunction()

# Reads a little-endian unsigned number of `bytes` bytes at `offset` of the compiled file.
function(read_number offset bytes out)
    file(READ "${compiled}" hex OFFSET ${offset} LIMIT ${bytes} HEX)
    string(LENGTH "${hex}" length)
    set(value 0)
    set(position ${length})
    while(position GREATER 0)
        math(EXPR position "${position} - 2")
        string(SUBSTRING "${hex}" ${position} 2 byte)
        math(EXPR value "${value} * 256 + 0x${byte}")
    endwhile()
    set(${out} ${value} PARENT_SCOPE)
endfunction()

if(NOT result EQUAL 0)
    fail("chmcmd exited with ${result}")
endif()
if(NOT EXISTS "${compiled}")
    fail("chmcmd wrote no file")
endif()
file(READ "${compiled}" signature LIMIT 4 HEX)
if(NOT signature STREQUAL "49545346") # "ITSF"
    fail("the file is not a compiled help file")
endif()
# The header's first section records the length of the whole file.
file(SIZE "${compiled}" actual)
read_number(56 4 section)
math(EXPR lengthAt "${section} + 8")
read_number(${lengthAt} 4 recorded)
if(NOT recorded EQUAL actual)
    fail("the file holds ${actual} bytes of the ${recorded} it records")
endif()
get_filename_component(folder "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
file(COPY_FILE "${compiled}" "${OUTPUT}")
