# Read by cpack: refuses to package a tree whose manual pages would name
# other paths than the package installs.
if(NOT CPACK_KORVANTE_CONFIGURED_PREFIX STREQUAL CPACK_PACKAGING_INSTALL_PREFIX)
  message(FATAL_ERROR
    "The build is configured for ${CPACK_KORVANTE_CONFIGURED_PREFIX} but the package installs "
    "into ${CPACK_PACKAGING_INSTALL_PREFIX}: configure with "
    "-DCMAKE_INSTALL_PREFIX=${CPACK_PACKAGING_INSTALL_PREFIX} (packaging/build-deb does).")
endif()
