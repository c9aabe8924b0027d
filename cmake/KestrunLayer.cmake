# kestrun_layer(NAME DIR [DEPS ...] [OBJECT]): one library per folder of the tree, built from
# every source in that folder, linking only to the layers below it.
function(kestrun_layer name dir)
    cmake_parse_arguments(arg "OBJECT" "" "DEPS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(arg_OBJECT)
        add_library(${name} OBJECT ${sources})
    else()
        add_library(${name} STATIC ${sources})
    endif()
    add_library(kestrun::${name} ALIAS ${name})
    target_include_directories(${name} PUBLIC
        $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
        $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/kestrun>)
    target_link_libraries(${name} PUBLIC ${arg_DEPS} PRIVATE $<BUILD_INTERFACE:kestrun_warnings>)
endfunction()
