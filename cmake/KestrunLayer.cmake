# kestrun_layer_headers(TARGET DIR SCOPE): TARGET sees the headers of DIR, spelled as from the
# top of the tree ("platform/io/files.h"), and nothing else of the tree. Each folder gets an
# include folder of its own in the build tree that links to its headers alone, so a target
# sees only its own headers and those of the layers it links: an include the CMake
# dependencies do not declare fails to compile.
function(kestrun_layer_headers target dir scope)
    file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${dir})
    string(REPLACE "/" "_" slot ${rel})
    set(root ${PROJECT_BINARY_DIR}/layer_include/${slot})
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root}/${rel})
    file(GLOB headers CONFIGURE_DEPENDS ${dir}/*.h)
    foreach(header IN LISTS headers)
        get_filename_component(name ${header} NAME)
        file(CREATE_LINK ${header} ${root}/${rel}/${name} SYMBOLIC)
    endforeach()
    target_include_directories(${target} ${scope} $<BUILD_INTERFACE:${root}>)
endfunction()

# kestrun_layer(NAME DIR [DEPS ...]): one object library per folder of the tree, built from
# the sources in that folder (not its subfolders, which are layers of their own), linking only
# to the layers below it. The shared library kestrun is made of all of them.
function(kestrun_layer name dir)
    cmake_parse_arguments(arg "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(NOT sources)
        set(sources ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
    endif()
    add_library(${name} OBJECT ${sources})
    add_library(kestrun::${name} ALIAS ${name})
    kestrun_layer_headers(${name} ${dir} PUBLIC)
    target_link_libraries(${name} PUBLIC ${arg_DEPS} PRIVATE $<BUILD_INTERFACE:kestrun_warnings>)
    # Hidden unless exported: the shared library's exports are its public API alone.
    set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON)
endfunction()
