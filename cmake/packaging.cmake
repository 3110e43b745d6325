# `cpack -G DEB` in a build tree configured with -DCMAKE_INSTALL_PREFIX=/usr
# makes two Debian packages of what `cmake --install` puts in place, one per
# install component (cmake/install.cmake):
#   certpluck          the program, its manual page and bash completion (tool)
#   libcertpluck-dev   headers, static libraries, the CMake package, the
#                      pkg-config file, the schema file and the schema
#                      compiler with its manual page and completion (dev)
# Each also carries the Debian metadata kept in packaging/: its copyright file,
# the Debian changelog and lintian's overrides.
set(CERTPLUCK_MAINTAINER "certpluck maintainers <maintainers@users.noreply.c-seed-ba35af9d.example>"
  CACHE STRING "Maintainer named in the Debian packages")

set(CERTPLUCK_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

# The Debian revision is the one of the changelog's newest entry, which must be
# for this version: a release without its entry would ship an old changelog.
file(STRINGS ${CERTPLUCK_PACKAGING_DIR}/changelog CERTPLUCK_CHANGELOG_HEAD LIMIT_COUNT 1)
if(NOT CERTPLUCK_CHANGELOG_HEAD MATCHES "^certpluck \\(([^)]+)-([^)-]+)\\) ")
  message(FATAL_ERROR "packaging/changelog: the first line must read `certpluck (VERSION-REVISION) ...`, not: ${CERTPLUCK_CHANGELOG_HEAD}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog: the newest entry is for ${CMAKE_MATCH_1}, but the project is ${PROJECT_VERSION}; add an entry")
endif()
set(CERTPLUCK_DEBIAN_REVISION ${CMAKE_MATCH_2})

# Debian keeps a package's changelog gzip-compressed at the highest level; -n
# leaves the name and time out, so the same text always gives the same bytes.
set(CERTPLUCK_CHANGELOG_GZ ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog.Debian.gz)
add_custom_command(OUTPUT ${CERTPLUCK_CHANGELOG_GZ}
  COMMAND ${CMAKE_COMMAND} -E copy ${CERTPLUCK_PACKAGING_DIR}/changelog ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog.Debian
  COMMAND ${CERTPLUCK_GZIP} -9nf ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog.Debian
  DEPENDS ${CERTPLUCK_PACKAGING_DIR}/changelog
  COMMENT "Compressing the Debian changelog"
  VERBATIM)
add_custom_target(certpluck_debian_changelog ALL DEPENDS ${CERTPLUCK_CHANGELOG_GZ})

# Only a component's own installation (CPack's, or `cmake --install
# --component`) takes these; a plain `cmake --install` leaves them out, since
# outside a Debian package they would be files under a package's name.
function(certpluck_install_debian_metadata component package)
  install(FILES ${CERTPLUCK_PACKAGING_DIR}/copyright ${CERTPLUCK_CHANGELOG_GZ}
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component} EXCLUDE_FROM_ALL)
  install(FILES ${CERTPLUCK_PACKAGING_DIR}/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME ${package} COMPONENT ${component} EXCLUDE_FROM_ALL)
endfunction()
certpluck_install_debian_metadata(tool certpluck)
certpluck_install_debian_metadata(dev libcertpluck-dev)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME certpluck)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
set(CPACK_PACKAGE_CONTACT ${CERTPLUCK_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Directories CPack creates follow these, not whatever umask cpack runs under.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Only the program is stripped; CMake leaves the static libraries' symbols alone.
set(CPACK_STRIP_FILES ON)
# Read by cpack itself: the per-package summaries and the check of the prefix.
set(CPACK_PROJECT_CONFIG_FILE ${CERTPLUCK_PACKAGING_DIR}/cpack_project_config.cmake)
set(CPACK_CERTPLUCK_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_CERTPLUCK_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR})
set(CPACK_CERTPLUCK_LIBRARY_ARCHITECTURE ${CMAKE_LIBRARY_ARCHITECTURE})

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL tool dev)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CERTPLUCK_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_SOURCE certpluck)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# dpkg-shlibdeps names the shared libraries the programs need, at the versions
# of the system it was built on.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_TOOL_PACKAGE_NAME certpluck)
set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION utils)
file(READ ${CERTPLUCK_PACKAGING_DIR}/certpluck.description CPACK_DEBIAN_TOOL_DESCRIPTION)

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libcertpluck-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
file(READ ${CERTPLUCK_PACKAGING_DIR}/libcertpluck-dev.description CPACK_DEBIAN_DEV_DESCRIPTION)
# The CMake package imports certpluck::certpluck too, and refuses to load while
# the program it names is missing; the headers include Boost's.
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "certpluck (= ${PROJECT_VERSION}-${CERTPLUCK_DEBIAN_REVISION}), libboost-dev")

include(CPack)
