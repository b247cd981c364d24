// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clone lines as the scanner itself holds and checks them: 253 lines of 46 characters,
// "CLN", a blank, the four-digit hex address, a blank, 32 hex digits for 16 bytes, "~" and the
// four-digit checksum. The virtual scanner keeps its memory in this form only, as a list whose
// element 0 is line 1. Line format, checksum, default image and image files are the core's; this
// adds the scanner's own strict check of a received line.

#include <string>
#include <string_view>
#include <vector>

namespace talvirex::scanner {

inline constexpr int kLineCount = 253;
inline constexpr std::size_t kLineLength = 46;

/// Line `index` (1..253) with `bytes` (16 bytes) and its checksum.
std::string MakeLine(int index, std::string_view bytes);

/// The memory of a scanner fresh from the factory, lines 1..253 (element 0 is line 1).
std::vector<std::string> DefaultImageLines();

enum class LineFault { kNone, kLength, kFormat, kChecksum, kAddress };

/// Whether `line` (without CR) is a sound clone line for line `index` (1..253): 46 characters in
/// the form above, uppercase hex digits only, the right checksum and the line's own address.
LineFault CheckLine(std::string_view line, int index);

struct ImageText {
  std::vector<std::string> lines;  // 253 lines when `error` is empty
  std::string error;               // why the text is not a sound image, naming the line
};

/// Reads an image file's text as the program's image reader does (253 lines, CR LF or LF line
/// ends, blank lines at the end ignored, every line sound and at its own address): a scanner's
/// memory never holds a damaged line.
ImageText ParseImageText(std::string_view text);

/// The text of an image file, as `talvirex image` writes it.
std::string FormatImageText(const std::vector<std::string>& lines);

}  // namespace talvirex::scanner
