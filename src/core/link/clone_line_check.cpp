#include "link/clone_line_check.h"

#include "image/clone_image.h"

namespace talvirex {

namespace {

constexpr std::size_t kLineLength = 46;
constexpr std::size_t kAddressAt = 4;  // four digits
constexpr std::size_t kDataAt = 9;     // 32 digits
constexpr std::size_t kDataDigits = 32;
constexpr std::size_t kTildeAt = 41;
constexpr std::size_t kChecksumAt = 42;  // four digits

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsUpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// The checksum of a well-formed line: 2013 (the sum of "CLN 0000 " and 32 zeros) plus each
// digit's code minus that of "0", so "A".."F" weigh 17..22.
int LineSum(std::string_view line) {
  int sum = 2013;
  for (std::size_t i = 0; i < 4; ++i) sum += line[kAddressAt + i] - '0';
  for (std::size_t i = 0; i < kDataDigits; ++i) sum += line[kDataAt + i] - '0';
  return sum;
}

bool DigitsAre(std::string_view line, std::size_t at, int value) {
  for (int i = 3; i >= 0; --i) {
    if (line[at + static_cast<std::size_t>(i)] != kHexDigits[value & 0xF]) return false;
    value >>= 4;
  }
  return value == 0;
}

}  // namespace

bool IsCloneLineFor(std::string_view line, int index) {
  if (index < 1 || index > kCloneLineCount || line.size() != kLineLength) return false;
  if (line.substr(0, 4) != "CLN " || line[8] != ' ' || line[kTildeAt] != '~') return false;
  for (std::size_t i = 0; i < 4; ++i) {
    if (!IsUpperHex(line[kAddressAt + i]) || !IsUpperHex(line[kChecksumAt + i])) return false;
  }
  for (std::size_t i = 0; i < kDataDigits; ++i) {
    if (!IsUpperHex(line[kDataAt + i])) return false;
  }
  return DigitsAre(line, kAddressAt, (index - 1) * 16) &&
         DigitsAre(line, kChecksumAt, LineSum(line));
}

}  // namespace talvirex
