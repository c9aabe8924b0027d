# `cmake --install`: the module library, its headers, the command line, the assets, and a CMake
# package so that a host application can `find_package(kestrun)` and link `kestrun::kestrun`.
include(CMakePackageConfigHelpers)

install(TARGETS kestrun EXPORT kestrunTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS kestrun_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set_target_properties(kestrun_cli PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")

foreach(dir platform host framework returns attachments dialogs)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/kestrun/${dir}
        FILES_MATCHING PATTERN "*.h")
endforeach()

install(EXPORT kestrunTargets NAMESPACE kestrun:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/kestrun)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/kestrunConfig.cmake.in
    ${PROJECT_BINARY_DIR}/kestrunConfig.cmake
    INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/kestrun)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/kestrunConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/kestrunConfig.cmake ${PROJECT_BINARY_DIR}/kestrunConfigVersion.cmake
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/kestrun)
