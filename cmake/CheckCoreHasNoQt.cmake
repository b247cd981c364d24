# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a file under CORE_DIR includes a Qt header (the core links the standard library
# only), or when a layer beneath the editor includes it.
file(GLOB_RECURSE files "${CORE_DIR}/*.h" "${CORE_DIR}/*.cpp")
set(offenders "")
foreach(f IN LISTS files)
  file(STRINGS "${f}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|qt[a-z]*/)")
  if(hits)
    list(APPEND offenders "${f}: ${hits}")
  endif()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "Qt headers are not allowed in the core:\n  ${text}")
endif()

# The document's layers (the table, the image codec, the file formats, the transfer) sit beneath
# the editor: they may not include the editor or the workspace that holds its grid.
set(upward "")
foreach(layer IN ITEMS model image files link)
  file(GLOB_RECURSE files "${CORE_DIR}/${layer}/*.h" "${CORE_DIR}/${layer}/*.cpp")
  foreach(f IN LISTS files)
    file(STRINGS "${f}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*\"(editor/|workspace\\.h)")
    if(hits)
      list(APPEND upward "${f}: ${hits}")
    endif()
  endforeach()
endforeach()
if(upward)
  list(JOIN upward "\n  " text)
  message(FATAL_ERROR "model, image, files and link may not include the editor:\n  ${text}")
endif()
