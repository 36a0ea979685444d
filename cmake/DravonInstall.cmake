# Installation: the shared library, the public headers, a CMake package and a pkg-config file.
include(CMakePackageConfigHelpers)

set(DRAVON_CMAKE_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/Dravon")

install(TARGETS dravon EXPORT DravonTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY include/dravon DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT DravonTargets NAMESPACE Dravon:: DESTINATION ${DRAVON_CMAKE_DIR})

configure_package_config_file(cmake/DravonConfig.cmake.in
  "${CMAKE_CURRENT_BINARY_DIR}/DravonConfig.cmake" INSTALL_DESTINATION ${DRAVON_CMAKE_DIR})
write_basic_package_version_file("${CMAKE_CURRENT_BINARY_DIR}/DravonConfigVersion.cmake"
  COMPATIBILITY SameMinorVersion)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/DravonConfig.cmake"
              "${CMAKE_CURRENT_BINARY_DIR}/DravonConfigVersion.cmake"
        DESTINATION ${DRAVON_CMAKE_DIR})

# The .pc file finds its prefix relative to itself, so an installed tree can be moved.
file(RELATIVE_PATH DRAVON_PC_TO_PREFIX "/root/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/root")
configure_file(cmake/dravon.pc.in "${CMAKE_CURRENT_BINARY_DIR}/dravon.pc" @ONLY)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/dravon.pc" DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
