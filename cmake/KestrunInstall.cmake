# `cmake --install`: the module library with its public headers (include/kestrun, included as
# <kestrun/...>), the command line with its manual page and bash completion, the window with its
# manual page, desktop entry and icon, the assets, a CMake package (`find_package(kestrun)`,
# target kestrun::kestrun) and a pkg-config file (`pkg-config kestrun`). debian/ splits them
# into the packages.
include(CMakePackageConfigHelpers)

install(TARGETS kestrun EXPORT kestrunTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The command line holds the layers' objects itself and finds the assets from its own place.
install(TARGETS kestrun_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/man/kestrun.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/share/bash-completion/kestrun
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
if(KESTRUN_GUI)
    install(TARGETS kestrun_gui RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/docs/man/kestrun-gui.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${PROJECT_SOURCE_DIR}/share/applications/kestrun-gui.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/share/icons/kestrun-gui.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# Only the public API: the layers' headers name cairo, CUPS and the JSON library, and their
# symbols are not exported.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/kestrun DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
    FILES_MATCHING PATTERN "*.h")

install(EXPORT kestrunTargets NAMESPACE kestrun:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/kestrun)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/kestrunConfig.cmake.in
    ${PROJECT_BINARY_DIR}/kestrunConfig.cmake
    INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/kestrun)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/kestrunConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/kestrunConfig.cmake ${PROJECT_BINARY_DIR}/kestrunConfigVersion.cmake
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/kestrun)

# The pkg-config file finds the prefix from its own place, so the installed tree can move.
file(RELATIVE_PATH kestrun_pc_to_prefix
    ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" kestrun_pc_to_prefix "${kestrun_pc_to_prefix}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/kestrun.pc.in ${PROJECT_BINARY_DIR}/kestrun.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/kestrun.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
