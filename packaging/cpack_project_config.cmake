# Read by cpack for each generator it runs (CPACK_PROJECT_CONFIG_FILE in
# cmake/packaging.cmake).
if(CPACK_GENERATOR STREQUAL "DEB")
  # Debian looks for the pkg-config file of a package built for one
  # architecture in /usr/lib/<triplet>/pkgconfig, where GNUInstallDirs puts the
  # libraries only when the tree is configured for /usr itself.
  if(CPACK_CERTPLUCK_LIBRARY_ARCHITECTURE
     AND NOT CPACK_CERTPLUCK_INSTALL_LIBDIR STREQUAL "lib/${CPACK_CERTPLUCK_LIBRARY_ARCHITECTURE}")
    message(FATAL_ERROR "cpack: the build tree installs its libraries in ${CPACK_CERTPLUCK_INSTALL_PREFIX}/"
      "${CPACK_CERTPLUCK_INSTALL_LIBDIR}; configure it with -DCMAKE_INSTALL_PREFIX=/usr to package it for Debian")
  endif()
  # Each package's summary is the first line of its own description
  # (packaging/*.description); CPack would put the project's in front of both.
  unset(CPACK_PACKAGE_DESCRIPTION_SUMMARY)
endif()
