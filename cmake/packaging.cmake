# The Debian package, made in a Release build configured with
# -DCMAKE_INSTALL_PREFIX=/usr by running `cpack -G DEB` in the build directory.
# It holds what the install rules install: the program and its window module
# (app/) and its desktop entry, metainfo, icons, manual page, copyright and
# changelog (data/).
# scripts/check-package.sh builds it, installs it, starts the program and
# removes it again.
#
# The library dependencies are not written here: dpkg-shlibdeps (package
# dpkg-dev) works them out from the program when the package is made.

# A project that takes Tobarin in packages itself.
if(NOT PROJECT_IS_TOP_LEVEL)
  return()
endif()

set(CPACK_PACKAGE_NAME tobarin)
set(CPACK_PACKAGE_VENDOR "Tobarin contributors")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tobarin contributors <tobarin@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://example.org/tobarin/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fraction calculator for mixed numbers")
# The extended description, wrapped as Debian wants it (lines under 80 columns).
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Tobarin adds, subtracts, multiplies and divides two fractions, each one"
  "entered as a mixed number: whole part, numerator and denominator, with a"
  "box to tick for a negative number. It reduces the answer to lowest terms"
  "and shows it as a mixed number or as an improper fraction, drawn with a"
  "fraction bar."
  ""
  "The program is one small window with Japanese captions.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# tobarin_<version>_<architecture>.deb
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Stand-ins for the Japanese faces the window asks for.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, fonts-ipafont-mincho")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
