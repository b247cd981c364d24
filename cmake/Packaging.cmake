# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack` in a build folder (or scripts/package) makes talvirex_<version>_<arch>.deb
# from what `cmake --install` puts under /usr: the program, its desktop entry and icons, the manual
# page, the user manual and help, the README, the copyright file and changelog, and the AppStream
# metadata. The Maintainer field is the cache variable TALVIREX_MAINTAINER (CMakeLists.txt).

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "talvirex")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "TALVIREX")
set(CPACK_PACKAGE_CONTACT "${TALVIREX_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# The extended description's lines stay under 80 columns (with the leading blank dpkg adds);
# a semicolon would split the text, as CMake lists do.
set(CPACK_PACKAGE_DESCRIPTION
  "TALVIREX edits the 200 channel memories of the SC200 hand-held scanner,\n"
  "its priority channels and options in a spreadsheet-like window, and reads\n"
  "them from or sends them to the scanner over its clone cable on a serial\n"
  "port. Channel files can be exported as CSV, printed, and filled from\n"
  "frequencies found in any text, and the channel lists of other radio\n"
  "programming tools can be imported and exported. A command line does the\n"
  "same for scripts and backups, and a virtual scanner lets the program be\n"
  "tried without hardware.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/package")

set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TALVIREX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "hamradio")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
# The shared libraries the program links come from dpkg-shlibdeps. Qt loads its platform plugins
# (the window needs one) and the SVG plugins (every icon is an SVG) at run time, so no library
# link names them: they are listed here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
