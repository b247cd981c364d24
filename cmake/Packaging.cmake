# The Debian package: `cpack` in a build folder (or scripts/package) makes talvirex_<version>_<arch>.deb
# from what `cmake --install` puts under /usr: the program, its desktop entry and icons, the manual
# page, the user manual and help, and the README.

set(TALVIREX_MAINTAINER "TALVIREX maintainers <maintainers@talvirex.invalid>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "talvirex")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "TALVIREX")
set(CPACK_PACKAGE_CONTACT "${TALVIREX_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programmer for the SC200 hand-held radio scanner")
set(CPACK_PACKAGE_DESCRIPTION
  "TALVIREX edits the 200 channel memories of the SC200 hand-held scanner, its priority\n"
  "channels and options in a spreadsheet-like window, and reads them from or sends them to\n"
  "the scanner over its clone cable on a serial port. Channel files can be exported as CSV,\n"
  "printed, and filled from frequencies found in any text. A command line does the same for\n"
  "scripts and backups, and a virtual scanner lets the program be tried without hardware.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/package")

set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TALVIREX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "hamradio")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The shared libraries the program links come from dpkg-shlibdeps. Qt loads its platform plugins
# (the window needs one) and the SVG plugins (every icon is an SVG) at run time, so no library
# link names them: they are listed here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
