# Headers the build writes (the version) live here, beside the sources in the include path.
set(ZELVORA_GENERATED_DIR "${PROJECT_BINARY_DIR}/generated")

# Settings shared by every target of the project's own code (the clipper keeps its own).
function(zelvora_strict target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}" "${ZELVORA_GENERATED_DIR}")
endfunction()

# Compiles a resource script into an executable. The script names further files (manifest, guide,
# pictures) that the resource compiler's dependency scan does not see; a change to any file of
# resources/ rebuilds it. Source properties hold only in the folder that sets them, hence here.
function(zelvora_resources target script)
    target_sources(${target} PRIVATE "${script}")
    file(GLOB read_by_scripts "${PROJECT_SOURCE_DIR}/resources/*")
    list(APPEND read_by_scripts "${ZELVORA_GENERATED_DIR}/text/version.h")
    set_source_files_properties("${script}" PROPERTIES OBJECT_DEPENDS "${read_by_scripts}")
endfunction()
