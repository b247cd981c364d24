// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One line of the clone image, "CLN AAAA <32 hex digits>~SSSS" (46 characters; 41 without the
// checksum). Positions are counted from 1 as the line is read: byte k (0..15) of a line has its
// high nibble at position 10 + 2k and its low nibble at 11 + 2k. The encoder and the decoder
// address single hex characters by these positions.

#include <string>
#include <string_view>

namespace talvirex {

inline constexpr int kCloneLineLength = 46;      // with "~" and the checksum
inline constexpr int kCloneLineBodyLength = 41;  // "CLN AAAA " and the 32 data digits
inline constexpr int kFirstDataPosition = 10;    // the high nibble of byte 0
inline constexpr int kBytesPerLine = 16;

/// Position (1-based) of the high nibble of byte `k` (0..15) of a line.
constexpr int HighNibblePosition(int k) { return kFirstDataPosition + 2 * k; }
/// Position (1-based) of the low nibble of byte `k` (0..15) of a line.
constexpr int LowNibblePosition(int k) { return kFirstDataPosition + 2 * k + 1; }

/// Value 0..15 of an uppercase hex digit; -1 for any other character (lowercase included).
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

/// The uppercase hex digit of `value` & 15.
constexpr char HexDigit(int value) { return "0123456789ABCDEF"[value & 15]; }

/// The address text of line `index` (1..253): "0000", "0010", .. "0FC0".
std::string CloneLineAddress(int index);

/// 2013 plus the weights of the hex digits at positions 5..8 and 10..41 ("0".."9" weigh 0..9,
/// "A".."F" 17..22, anything else 0). Positions past the end of `line` weigh nothing. For a
/// well-formed line this is the sum of the character codes of positions 1..41, 0x07DD..0x0AF5.
int CloneChecksum(std::string_view line);

/// The 41-character body of line `index` (1..253) holding `data` (32 hex digits).
std::string CloneLineBody(int index, std::string_view data);

/// True when `line` is 41 or 46 characters long and starts with "CLN ": a line the encoder can
/// rewrite in place.
bool HasCloneLineShape(std::string_view line);

/// A damaged line (wrong length, or not starting with "CLN ") of image line `index`, rebuilt as a
/// 41-character body at the line's own address: the data digits that were there are kept, the
/// missing ones become "0". A line of the right shape comes back unchanged.
std::string ShapeCloneLine(std::string_view line, int index);

/// What is wrong with `line` as line `index` (1..253) of an image, the first fault found:
/// kShape: not "CLN", a blank, four uppercase hex digits, a blank, 32 uppercase hex digits, "~" and
/// four uppercase hex digits; kAddress: a sound line that carries another line's address;
/// kChecksum: a sound line at its address whose checksum does not match its content.
enum class CloneLineFault { kNone, kShape, kAddress, kChecksum };
CloneLineFault CheckCloneLine(std::string_view line, int index);

/// The line with its old checksum (if 46 characters long) replaced by a fresh "~0XXX".
std::string FinishCloneLine(std::string_view line);
/// The same, on the line itself.
void FinishCloneLineInPlace(std::string& line);

}  // namespace talvirex
