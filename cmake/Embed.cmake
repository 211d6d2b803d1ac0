# Embeds files into the program as named byte arrays, looked up at run time with
# trvx::resource(name) from "base/Resources.h".
#
#   trvx_add_resource(NAME path [DEPENDS target...])
#
# collects entries (from any directory); trvx_embed_resources(), called in src/ beside the base
# module, builds the library trvx_resources from all of them. It is kept apart from trvx_base so
# the generators of resources can use the base module without depending on their own output.
set_property(GLOBAL PROPERTY TRVX_RESOURCE_ENTRIES "")
set_property(GLOBAL PROPERTY TRVX_RESOURCE_DEPENDS "")

function(trvx_add_resource name path)
    cmake_parse_arguments(R "" "" "DEPENDS" ${ARGN})
    set_property(GLOBAL APPEND PROPERTY TRVX_RESOURCE_ENTRIES "${name}=${path}")
    if(R_DEPENDS)
        set_property(GLOBAL APPEND PROPERTY TRVX_RESOURCE_DEPENDS ${R_DEPENDS})
    endif()
endfunction()

function(trvx_embed_resources)
    get_property(entries GLOBAL PROPERTY TRVX_RESOURCE_ENTRIES)
    get_property(deps GLOBAL PROPERTY TRVX_RESOURCE_DEPENDS)
    set(files "")
    foreach(e IN LISTS entries)
        string(REGEX REPLACE "^[^=]*=" "" p "${e}")
        list(APPEND files "${p}")
    endforeach()
    set(out ${CMAKE_BINARY_DIR}/generated/embedded_resources.cpp)
    string(REPLACE ";" "|" entry_arg "${entries}")
    add_custom_command(
        OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} "-DOUT=${out}" "-DENTRIES=${entry_arg}"
                -P ${CMAKE_SOURCE_DIR}/cmake/embed_script.cmake
        DEPENDS ${files} ${deps} ${CMAKE_SOURCE_DIR}/cmake/embed_script.cmake
        COMMENT "Embedding resources"
        VERBATIM)
    # The generated file names the files, it does not hold them: recompile when one changes.
    set_source_files_properties(${out} PROPERTIES OBJECT_DEPENDS "${files}")
    add_library(trvx_resources STATIC ${out} ${CMAKE_SOURCE_DIR}/src/base/Resources.h)
    target_include_directories(trvx_resources PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(trvx_resources PUBLIC trvx_options)
endfunction()
