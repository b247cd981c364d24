// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/clone_access.h"

#include "image/clone_line.h"
#include "image/memory_map.h"

namespace talvirex {

namespace {

bool InImage(int address) { return address >= 0 && address < kCloneImageBytes; }

// Index into the line text (0-based) of the nibble at `address`.
std::size_t NibbleIndex(int address, bool high) {
  const int k = image_map::ByteOf(address);
  return static_cast<std::size_t>((high ? HighNibblePosition(k) : LowNibblePosition(k)) - 1);
}

}  // namespace

void WriteNibble(CloneImage& image, int address, bool high, char digit) {
  if (!InImage(address)) return;
  std::string& line = image.lines[image_map::LineOf(address)];
  const std::size_t index = NibbleIndex(address, high);
  if (index < line.size()) line[index] = digit;
}

void WriteByte(CloneImage& image, int address, int value) {
  WriteNibble(image, address, true, HexDigit(value >> 4));
  WriteNibble(image, address, false, HexDigit(value));
}

char CloneReader::NibbleChar(int address, bool high) const {
  if (!InImage(address)) return '\0';
  const std::string& line = image_.lines[image_map::LineOf(address)];
  const std::size_t index = NibbleIndex(address, high);
  return index < line.size() ? line[index] : '\0';
}

int CloneReader::Nibble(int address, bool high) const {
  const int value = HexDigitValue(NibbleChar(address, high));
  return value < 0 ? 0 : value;
}

bool CloneReader::IsReadable(int address) const {
  return HexDigitValue(NibbleChar(address, true)) >= 0 &&
         HexDigitValue(NibbleChar(address, false)) >= 0;
}

int CloneReader::Byte(int address) const {
  const char high = NibbleChar(address, true);
  const char low = NibbleChar(address, false);
  if (high == '\0' || low == '\0') {
    if (!damage_) damage_ = high == '\0' ? std::string() : std::string(1, high);
    return 0;
  }
  const int high_value = HexDigitValue(high);
  const int low_value = HexDigitValue(low);
  if (high_value < 0 || low_value < 0) return 0;
  return high_value * 16 + low_value;
}

}  // namespace talvirex
