#include "link/clone_line_check.h"

#include "image/clone_image.h"
#include "image/clone_line.h"

namespace talvirex {

namespace {

constexpr std::size_t kAddressAt = 4;
constexpr std::size_t kDataAt = 9;
constexpr std::size_t kDataDigits = 32;
constexpr std::size_t kTildeAt = 41;
constexpr std::size_t kChecksumAt = 42;

bool AllUpperHex(std::string_view digits) {
  for (const char c : digits) {
    if (HexDigitValue(c) < 0) return false;
  }
  return true;
}

// The four digits "0XXX" of `value` (0..0xFFFF).
std::string FourHexDigits(int value) {
  std::string digits(4, '0');
  for (int i = 3; i >= 0; --i, value >>= 4) digits[static_cast<std::size_t>(i)] = HexDigit(value);
  return digits;
}

}  // namespace

bool IsCloneLineFor(std::string_view line, int index) {
  if (index < 1 || index > kCloneLineCount || line.size() != kCloneLineLength) return false;
  if (line.substr(0, 4) != "CLN " || line[8] != ' ' || line[kTildeAt] != '~') return false;
  // Lowercase digits weigh nothing in the checksum, so they are refused outright.
  if (!AllUpperHex(line.substr(kDataAt, kDataDigits))) return false;
  return line.substr(kAddressAt, 4) == CloneLineAddress(index) &&
         line.substr(kChecksumAt, 4) == FourHexDigits(CloneChecksum(line));
}

}  // namespace talvirex
