#pragma once
// The clone lines as the scanner itself holds and checks them: 253 lines of 46 characters,
// "CLN", a blank, the four-digit hex address, a blank, 32 hex digits for 16 bytes, "~" and the
// four-digit checksum. The virtual scanner keeps its memory in this form only.
//
// These helpers duplicate the core's checksum and default image on purpose only until the core's
// image module offers `CloneChecksum` and `BuildDefaultImage`; then they should call those.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvirex::scanner {

inline constexpr int kLineCount = 253;
inline constexpr std::size_t kLineLength = 46;

/// 2013 plus the weights of the hex digits at positions 5..8 and 10..41 (1-based); "0".."9" weigh
/// 0..9, "A".."F" 17..22, anything else 0. Reads only the positions the text has.
int LineChecksum(std::string_view line);

/// Line `index` (1..253) with `bytes` (16 bytes) and its checksum.
std::string MakeLine(int index, std::string_view bytes);

/// The memory of a scanner fresh from the factory, lines 1..253 (element 0 is line 1).
std::vector<std::string> DefaultImageLines();

enum class LineFault { kNone, kLength, kFormat, kChecksum, kAddress };

/// Whether `line` (without CR) is a sound clone line for line `index` (1..253).
LineFault CheckLine(std::string_view line, int index);

/// Describes a fault for the scanner's log ("checksum", "address", ...).
std::string_view FaultName(LineFault fault);

struct ImageText {
  std::vector<std::string> lines;  // 253 lines when `error` is empty
  std::string error;               // why the text is not an image, e.g. "line 7: checksum"
};

/// Reads an image file's text: 253 clone lines in order, CR LF or LF line ends, blank lines at the
/// end ignored. Every line must pass `CheckLine`.
ImageText ParseImageText(std::string_view text);

/// The text of an image file: the lines, each followed by LF (as `talvirex image` writes it).
std::string FormatImageText(const std::vector<std::string>& lines);

}  // namespace talvirex::scanner
