# `cpack -G DEB` in a build tree makes a Debian package of everything that
# `cmake --install` puts in place, rooted at /usr.
set(CERTPLUCK_MAINTAINER "certpluck maintainers <maintainers@users.noreply.c-seed-ba35af9d.example>"
  CACHE STRING "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME certpluck)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
set(CPACK_PACKAGE_DESCRIPTION
  "certpluck reads a secrets package (one record in Compact Binary version 1) from a file or standard input and writes the DER PKCS#7 certificate bundle of its UnmanagedCertsData field to a file or standard output, for use in pipelines with openssl. The package also holds the serialization runtime and the schema module, as headers, static libraries, a CMake package and a pkg-config file, for programs that read or write secrets packages.")
set(CPACK_PACKAGE_CONTACT ${CERTPLUCK_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Only the program is stripped; CMake leaves the static libraries' symbols alone.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# dpkg-shlibdeps names the shared libraries the program needs, at the versions
# of the system it was built on.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
