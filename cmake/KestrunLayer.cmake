# kestrun_layer(NAME DIR [DEPS ...]): one object library per folder of the tree, built from
# every source in that folder, linking only to the layers below it. The shared library kestrun
# is made of all of them.
function(kestrun_layer name dir)
    cmake_parse_arguments(arg "" "" "DEPS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(NOT sources)
        set(sources ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
    endif()
    add_library(${name} OBJECT ${sources})
    add_library(kestrun::${name} ALIAS ${name})
    target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
    target_link_libraries(${name} PUBLIC ${arg_DEPS} PRIVATE $<BUILD_INTERFACE:kestrun_warnings>)
    # Hidden unless exported: the shared library's exports are its public API alone.
    set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON)
endfunction()
