# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch folder (DESTDIR, prefix /usr) and checks the tree a user gets:
# the program runs, the desktop entry names an installed program and icon, the channel file's type
# is the source's description under the name shared-mime-info reads, every icon size is a PNG of
# that size, the manual page is the built one compressed, the program names its licence,
# the copyright file, the changelog and the AppStream metadata are where a distribution looks for
# them and name this version, the program finds its stock channel lists, and nothing from the
# tests, the benchmarks, GoogleTest or the static libraries came along.
#   cmake -DBUILD_DIR=<build> -DWORK_DIR=<scratch> -DMAN_PAGE=<built talvirex.1>
#         -DMIME_INFO=<source talvirex.mime.xml> -DAPPSTREAM_ID=<metadata id>
#         -DVERSION=<project version> -P check_install_tree.cmake

foreach(var BUILD_DIR WORK_DIR MAN_PAGE MIME_INFO APPSTREAM_ID VERSION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

set(root "${WORK_DIR}/root")
file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${root} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
  RESULT_VARIABLE status OUTPUT_VARIABLE install_log ERROR_VARIABLE install_log)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${install_log}")
endif()

set(failures "")
macro(fail text)
  string(APPEND failures "  ${text}\n")
endmacro()

file(GLOB_RECURSE installed RELATIVE "${root}" LIST_DIRECTORIES false "${root}/*")

# Only the user's files, each where the desktop looks for it; the manual and help under
# share/talvirex may be any files but none of the build's own.
string(REPLACE "." "\\." metainfo_pattern "share/metainfo/${APPSTREAM_ID}.metainfo.xml")
set(allowed "^usr/(bin/talvirex|share/applications/talvirex\\.desktop|share/mime/packages/talvirex\\.xml|${metainfo_pattern}|share/icons/hicolor/[0-9x]+/apps/talvirex\\.png|share/icons/hicolor/scalable/apps/talvirex\\.svg|share/man/man1/talvirex\\.1\\.gz|share/doc/talvirex/[^/]+|share/talvirex/.+)$")
set(forbidden "(gtest|gmock|benchmark|_tests|_bench|fuzz|\\.a$|\\.h$|\\.cmake$|\\.pc$)")
foreach(file IN LISTS installed)
  if(NOT file MATCHES "${allowed}")
    fail("not expected in the installed tree: ${file}")
  elseif(file MATCHES "${forbidden}")
    fail("a build or test file installed: ${file}")
  endif()
endforeach()

# The program runs from where it was installed and is the version that was built.
set(program "${root}/usr/bin/talvirex")
execute_process(COMMAND ${program} --version RESULT_VARIABLE status OUTPUT_VARIABLE version)
execute_process(COMMAND ${BUILD_DIR}/talvirex --version OUTPUT_VARIABLE built_version)
if(NOT status EQUAL 0 OR NOT version STREQUAL built_version OR version STREQUAL "")
  fail("installed talvirex --version gave '${version}' (status ${status}), the build '${built_version}'")
endif()
if(NOT version MATCHES "\nLicense GPL-3\\.0-or-later: GNU GPL version 3 or later")
  fail("talvirex --version does not name the licence: '${version}'")
endif()

# The installed program finds the stock channel lists in its data folder: the lists the build has.
execute_process(COMMAND ${program} import --stock RESULT_VARIABLE status OUTPUT_VARIABLE stock
                ERROR_VARIABLE stock_error)
execute_process(COMMAND ${BUILD_DIR}/talvirex import --stock OUTPUT_VARIABLE built_stock)
if(NOT status EQUAL 0 OR NOT stock STREQUAL built_stock OR stock STREQUAL "")
  fail("installed talvirex import --stock gave '${stock}${stock_error}' (status ${status}), the build '${built_stock}'")
endif()

# The desktop entry starts an installed program and names an installed icon.
set(entry "${root}/usr/share/applications/talvirex.desktop")
if(NOT EXISTS "${entry}")
  fail("no desktop entry")
else()
  file(STRINGS "${entry}" exec_line REGEX "^Exec=")
  file(STRINGS "${entry}" icon_line REGEX "^Icon=")
  string(REGEX REPLACE "^Exec=([^ ]+).*" "\\1" exec_name "${exec_line}")
  string(REGEX REPLACE "^Icon=" "" icon_name "${icon_line}")
  if(NOT EXISTS "${root}/usr/bin/${exec_name}")
    fail("the desktop entry starts '${exec_name}', which is not installed in bin")
  endif()
  if(NOT EXISTS "${root}/usr/share/icons/hicolor/scalable/apps/${icon_name}.svg")
    fail("the desktop entry's icon '${icon_name}' is not installed")
  endif()
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
  if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${entry} RESULT_VARIABLE status
                    OUTPUT_VARIABLE report ERROR_VARIABLE report)
    if(NOT status EQUAL 0 OR report MATCHES "error|warning")
      fail("desktop-file-validate: ${report}")
    endif()
  endif()
endif()

# The channel file's type, as written in the source; the database files update-mime-database
# makes from it belong to the system, not to the package.
set(mime "${root}/usr/share/mime/packages/talvirex.xml")
if(NOT EXISTS "${mime}")
  fail("no MIME type description in share/mime/packages")
else()
  file(READ "${mime}" installed_mime)
  file(READ "${MIME_INFO}" source_mime)
  if(NOT installed_mime STREQUAL source_mime)
    fail("the installed share/mime/packages/talvirex.xml is not ${MIME_INFO}")
  endif()
endif()

# Each icon size is a PNG of exactly that size (width and height are the IHDR's first 8 bytes).
foreach(size 16 32 48 64 128 256)
  set(png "${root}/usr/share/icons/hicolor/${size}x${size}/apps/${icon_name}.png")
  if(NOT EXISTS "${png}")
    fail("no ${size}x${size} icon")
    continue()
  endif()
  file(READ "${png}" signature LIMIT 8 HEX)
  file(READ "${png}" dimensions OFFSET 16 LIMIT 8 HEX)
  math(EXPR expected_hex "${size}" OUTPUT_FORMAT HEXADECIMAL)
  string(REGEX REPLACE "^0x" "" expected_hex "${expected_hex}")
  string(LENGTH "${expected_hex}" digits)
  math(EXPR padding "8 - ${digits}")
  string(REPEAT "0" ${padding} zeros)
  set(expected "${zeros}${expected_hex}${zeros}${expected_hex}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT dimensions STREQUAL expected)
    fail("${size}x${size} icon is not a ${size}x${size} PNG (header ${signature}, size ${dimensions})")
  endif()
endforeach()

# The manual page is the built one, compressed.
set(man "${root}/usr/share/man/man1/talvirex.1.gz")
if(NOT EXISTS "${man}")
  fail("no manual page")
else()
  find_program(GZIP_PROGRAM gzip)
  if(GZIP_PROGRAM)
    execute_process(COMMAND ${GZIP_PROGRAM} -dc ${man} RESULT_VARIABLE status OUTPUT_VARIABLE page)
    file(READ "${MAN_PAGE}" built)
    if(NOT status EQUAL 0 OR NOT page STREQUAL built)
      fail("the installed manual page is not the built ${MAN_PAGE}")
    endif()
  endif()
endif()

# The package's documents: the machine-readable copyright file under the GPL, version 3 or later,
# and the Debian changelog, compressed, whose newest entry is this version.
set(doc "${root}/usr/share/doc/talvirex")
if(NOT EXISTS "${doc}/copyright")
  fail("no copyright file")
else()
  file(READ "${doc}/copyright" copyright)
  if(NOT copyright MATCHES "^Format: https://www\\.debian\\.org/doc/packaging-manuals/copyright-format/1\\.0/\n"
     OR NOT copyright MATCHES "\nFiles: \\*\nCopyright: [^\n]+\nLicense: GPL-3\\.0-or-later\n"
     OR NOT copyright MATCHES "/usr/share/common-licenses/GPL-3")
    fail("the copyright file is not the machine-readable form with the GPL-3.0-or-later:\n${copyright}")
  endif()
endif()
execute_process(COMMAND gzip -dc "${doc}/changelog.gz" RESULT_VARIABLE status OUTPUT_VARIABLE changelog)
if(NOT status EQUAL 0 OR NOT changelog MATCHES "^talvirex \\(${VERSION}\\) [a-z]+; urgency=")
  fail("the changelog's newest entry is not version ${VERSION}: '${changelog}'")
endif()

# The AppStream metadata starts the installed desktop entry and names this release.
set(metainfo "${root}/usr/share/metainfo/${APPSTREAM_ID}.metainfo.xml")
if(NOT EXISTS "${metainfo}")
  fail("no AppStream metadata ${APPSTREAM_ID}.metainfo.xml")
else()
  file(READ "${metainfo}" metadata)
  string(REGEX MATCH "<launchable type=\"desktop-id\">([^<]+)</launchable>" launchable "${metadata}")
  if(NOT launchable OR NOT EXISTS "${root}/usr/share/applications/${CMAKE_MATCH_1}")
    fail("the metadata's launchable '${launchable}' is not an installed desktop entry")
  endif()
  if(NOT metadata MATCHES "<id>${APPSTREAM_ID}</id>" OR NOT metadata MATCHES "<release version=\"${VERSION}\" date=\"[0-9-]+\">")
    fail("the metadata is not ${APPSTREAM_ID} or names no release ${VERSION}")
  endif()
endif()

if(failures)
  message(FATAL_ERROR "The installed tree in ${root} is not right:\n${failures}")
endif()
list(LENGTH installed count)
message(STATUS "${count} files installed, as intended")
