# Read by cpack before it builds a package. A Debian package names the
# person responsible for it; CPack's own fallback would be an empty field.
if(NOT CPACK_PACKAGE_CONTACT AND NOT CPACK_DEBIAN_PACKAGE_MAINTAINER)
  message(FATAL_ERROR
    "No maintainer for the Debian package. Configure with "
    "-DAPQR_MAINTAINER=\"Name <address>\", e.g.\n"
    "  cmake --preset release -DAPQR_MAINTAINER=\"Erika Mustermann <erika@example.org>\"")
endif()
