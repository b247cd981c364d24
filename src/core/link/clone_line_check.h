// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The checks a received clone line must pass before it is stored in the image.

#include <string_view>

namespace talvirex {

/// True when `line` (without its CR) is exactly the 46-character clone line for image line
/// `index` (1..253): "CLN", a blank, the line's own address (index - 1) x 16 as four uppercase hex
/// digits, a blank, 32 uppercase hex digits, "~" and the checksum of its content as "0" and three
/// uppercase hex digits. Anything else (other length, wrong address, bad checksum, lowercase or
/// non-hex digits, an index outside 1..253) is false.
bool IsCloneLineFor(std::string_view line, int index);

}  // namespace talvirex
