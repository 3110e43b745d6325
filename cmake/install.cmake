# What other projects build against once certpluck is installed: a CMake
# package whose targets carry the certpluck:: namespace, and pkg-config files.
# Both locate everything relative to where they are installed, so a tree moved
# elsewhere (or installed with `cmake --install --prefix`) still works.
#
# Every rule names its component, which cmake/packaging.cmake turns into a
# Debian package: `tool` is the program and what documents it, `dev` what
# programs of one's own build against. A rule without one would fall out of
# both packages.
include(CMakePackageConfigHelpers)

# The headers keep the library's names (bond/core/bond.h, ...) and so live in a
# folder of our own, which users put on their include path; see runtime/.
set(CERTPLUCK_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/certpluck)
set(CERTPLUCK_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/certpluck)

install(EXPORT certpluckTargets NAMESPACE certpluck:: DESTINATION ${CERTPLUCK_CMAKE_DIR} COMPONENT dev)
configure_package_config_file(cmake/certpluckConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/certpluckConfig.cmake
  INSTALL_DESTINATION ${CERTPLUCK_CMAKE_DIR})
# Before 1.0 a minor release may change the headers' interface.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/certpluckConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/certpluckConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/certpluckConfigVersion.cmake
  cmake/certpluckCodegen.cmake
  DESTINATION ${CERTPLUCK_CMAKE_DIR} COMPONENT dev)

set(CERTPLUCK_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH CERTPLUCK_PKGCONFIG_TO_PREFIX /${CERTPLUCK_PKGCONFIG_DIR} /)
string(REGEX REPLACE "/$" "" CERTPLUCK_PKGCONFIG_TO_PREFIX ${CERTPLUCK_PKGCONFIG_TO_PREFIX})
# certpluck-bond is the runtime alone, for programs with schemas of their own;
# certpluck adds the secrets package's module to it. The archives' names are
# read from the targets when the build is generated, so the files and the
# libraries cannot drift apart.
foreach(module certpluck-bond certpluck)
  configure_file(cmake/${module}.pc.in ${CMAKE_CURRENT_BINARY_DIR}/${module}.pc.in @ONLY)
  file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${module}.pc INPUT ${CMAKE_CURRENT_BINARY_DIR}/${module}.pc.in)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${module}.pc DESTINATION ${CERTPLUCK_PKGCONFIG_DIR} COMPONENT dev)
endforeach()

# man finds compressed pages as well as plain ones, and Debian wants them
# compressed. -n leaves the name and time out of the header, so the same page
# always compresses to the same bytes.
find_program(CERTPLUCK_GZIP gzip REQUIRED)
# Installs doc/PAGE.1 compressed, and bash completion/PAGE.bash under the
# command's name, from which bash-completion loads it on first use.
function(certpluck_install_command_docs command component)
  set(page_gz ${CMAKE_CURRENT_BINARY_DIR}/man/${command}.1.gz)
  add_custom_command(OUTPUT ${page_gz}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/doc/${command}.1 ${CMAKE_CURRENT_BINARY_DIR}/man/${command}.1
    COMMAND ${CERTPLUCK_GZIP} -9nf ${CMAKE_CURRENT_BINARY_DIR}/man/${command}.1
    DEPENDS ${PROJECT_SOURCE_DIR}/doc/${command}.1
    COMMENT "Compressing the manual page of ${command}"
    VERBATIM)
  add_custom_target(${command}_man_page ALL DEPENDS ${page_gz})
  install(FILES ${page_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
  install(FILES ${PROJECT_SOURCE_DIR}/completion/${command}.bash
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ${command} COMPONENT ${component})
endfunction()
certpluck_install_command_docs(certpluck tool)
# The schema compiler is for those who build programs of their own.
certpluck_install_command_docs(certpluck-gbc dev)

# An installation from source carries the licence's text. The Debian packages
# carry it in their copyright files instead, so this component is not packaged.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT license)
