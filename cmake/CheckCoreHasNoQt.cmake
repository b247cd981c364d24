# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a file under CORE_DIR includes a Qt header (the core links the standard library
# only), or when a layer beneath the editor includes it.

# Fails with `message` when a C++ file below one of `folders` has an #include line that
# `pattern` (what follows "#include") matches, naming each file and line.
function(forbid_includes pattern message)
  set(offenders "")
  foreach(folder IN LISTS ARGN)
    file(GLOB_RECURSE files "${folder}/*.h" "${folder}/*.cpp")
    foreach(f IN LISTS files)
      file(STRINGS "${f}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*${pattern}")
      if(hits)
        list(APPEND offenders "${f}: ${hits}")
      endif()
    endforeach()
  endforeach()
  if(offenders)
    list(JOIN offenders "\n  " text)
    message(FATAL_ERROR "${message}:\n  ${text}")
  endif()
endfunction()

forbid_includes("[<\"](Q[A-Za-z]|qt[a-z]*/)" "Qt headers are not allowed in the core" "${CORE_DIR}")
# The document's layers (the table, the image codec, the file formats, the transfer) sit beneath
# the editor: they may not include the editor or the workspace that holds its grid.
forbid_includes("\"(editor/|workspace\\.h)" "model, image, files and link may not include the editor"
                "${CORE_DIR}/model" "${CORE_DIR}/image" "${CORE_DIR}/files" "${CORE_DIR}/link")
