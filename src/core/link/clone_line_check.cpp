// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/clone_line_check.h"

#include "image/clone_image.h"
#include "image/clone_line.h"

namespace talvirex {

bool IsCloneLineFor(std::string_view line, int index) {
  return index >= 1 && index <= kCloneLineCount &&
         CheckCloneLine(line, index) == CloneLineFault::kNone;
}

}  // namespace talvirex
