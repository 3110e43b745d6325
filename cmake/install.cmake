# What other projects build against once certpluck is installed: a CMake
# package whose targets carry the certpluck:: namespace, and a pkg-config file.
# Both locate everything relative to where they are installed, so a tree moved
# elsewhere (or installed with `cmake --install --prefix`) still works.
include(CMakePackageConfigHelpers)

set(CERTPLUCK_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/certpluck)

install(EXPORT certpluckTargets NAMESPACE certpluck:: DESTINATION ${CERTPLUCK_CMAKE_DIR})
configure_package_config_file(cmake/certpluckConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/certpluckConfig.cmake
  INSTALL_DESTINATION ${CERTPLUCK_CMAKE_DIR})
# Before 1.0 a minor release may change the headers' interface.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/certpluckConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/certpluckConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/certpluckConfigVersion.cmake
  DESTINATION ${CERTPLUCK_CMAKE_DIR})

set(CERTPLUCK_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH CERTPLUCK_PKGCONFIG_TO_PREFIX /${CERTPLUCK_PKGCONFIG_DIR} /)
string(REGEX REPLACE "/$" "" CERTPLUCK_PKGCONFIG_TO_PREFIX ${CERTPLUCK_PKGCONFIG_TO_PREFIX})
configure_file(cmake/certpluck.pc.in ${CMAKE_CURRENT_BINARY_DIR}/certpluck.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/certpluck.pc DESTINATION ${CERTPLUCK_PKGCONFIG_DIR})
