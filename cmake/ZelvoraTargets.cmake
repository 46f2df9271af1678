# Settings shared by every target of the project's own code (the clipper keeps its own).
function(zelvora_strict target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
endfunction()
