// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Byte-addressed access to the clone image's hex characters. An image address maps to line
// address / 16 + 1 and byte address % 16 of that line (image/clone_line.h gives the positions).
// Multi-byte records that cross a line end (the frequency records) are simply consecutive
// addresses.

#include <optional>
#include <string>

#include "image/clone_image.h"

namespace talvirex {

/// Writes `digit` as the high (or low) nibble of the byte at `address` (0x0000..0x0FCF). A
/// position past the end of its line is left alone: lines are shaped before they are written.
void WriteNibble(CloneImage& image, int address, bool high, char digit);

/// Writes `value` (0..255) as two hex digits at `address`.
void WriteByte(CloneImage& image, int address, int value);

/// Reads the image as the decoders do: a byte or nibble whose characters are not uppercase hex
/// digits reads as 0. A byte whose two characters are not both in its line (a damaged image) also
/// reads as 0, and the first such field is remembered for the "hexsmeter problem" message.
class CloneReader {
 public:
  explicit CloneReader(const CloneImage& image) : image_(image) {}

  /// The byte at `address`, 0..255.
  int Byte(int address) const;
  /// The character of the high (or low) nibble at `address`, '\0' when the line is too short.
  char NibbleChar(int address, bool high) const;
  /// The value 0..15 of that nibble, 0 when it is not an uppercase hex digit.
  int Nibble(int address, bool high) const;

  /// True when both characters of the byte at `address` are uppercase hex digits.
  bool IsReadable(int address) const;

  /// The text of the first byte field found cut short, if any.
  const std::optional<std::string>& damage() const { return damage_; }

 private:
  const CloneImage& image_;
  mutable std::optional<std::string> damage_;
};

}  // namespace talvirex
