# zelvora-cli reads a drawing whose name is in a language outside the Western code page: a Chinese
# word and an accented one. The name reaches the program as UTF-8 from a UTF-8 locale.
set(ENV{LANG} C.UTF-8)
set(ENV{LC_ALL} C.UTF-8)
file(MAKE_DIRECTORY "${OUTPUT}")
set(named "${OUTPUT}/建筑 été.Zlv")
configure_file("${SOURCE}" "${named}" COPYONLY)
execute_process(COMMAND ${EMULATOR} "${CLI}" info "${named}" RESULT_VARIABLE status OUTPUT_VARIABLE printed
                ERROR_VARIABLE complaint)
if(NOT status EQUAL 0 OR NOT printed MATCHES "valid: yes")
    message(FATAL_ERROR "zelvora-cli info could not read ${named} (status ${status}): ${complaint}")
endif()
