# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file does not name its licence in its first lines: every C++ file and CMake
# file below ROOT's source folders, and the scripts. Run as a test: cmake -DROOT=<project> -P this.
set(tag "SPDX-License-Identifier: GPL-3.0-or-later")
file(GLOB_RECURSE sources RELATIVE ${ROOT}
  ${ROOT}/src/*.cpp ${ROOT}/src/*.h ${ROOT}/tests/*.cpp ${ROOT}/tests/*.h
  ${ROOT}/bench/*.cpp ${ROOT}/fuzz/*.cpp ${ROOT}/tools/*.cpp ${ROOT}/tools/*.py
  ${ROOT}/*CMakeLists.txt ${ROOT}/cmake/*.cmake ${ROOT}/scripts/* ${ROOT}/tests/e2e/*)
set(missing "")
foreach(source IN LISTS sources)
  if(source MATCHES "^(build|tests/data)/")
    continue()
  endif()
  file(STRINGS ${ROOT}/${source} head LIMIT_COUNT 3)
  if(NOT head MATCHES "${tag}")
    string(APPEND missing "\n  ${source}")
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "These files do not name their licence (${tag}):${missing}")
endif()
