// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/clone_line.h"

#include <array>

namespace talvirex {

namespace {

constexpr int kChecksumBase = 2013;  // the sum of "CLN 0000 " and 32 zeros
constexpr std::string_view kLinePrefix = "CLN ";

// The weight of every character: "0".."9" 0..9, "A".."F" 17..22, anything else 0.
constexpr std::array<unsigned char, 256> kDigitWeights = [] {
  std::array<unsigned char, 256> weights{};
  for (int c = '0'; c <= '9'; ++c) weights[c] = static_cast<unsigned char>(c - '0');
  for (int c = 'A'; c <= 'F'; ++c) weights[c] = static_cast<unsigned char>(c - '0');
  return weights;
}();

int DigitWeight(char c) { return kDigitWeights[static_cast<unsigned char>(c)]; }

// Lowercase digits weigh nothing in the checksum, so a line holding them is not sound.
bool AllUpperHex(std::string_view digits) {
  for (const char c : digits) {
    if (HexDigitValue(c) < 0) return false;
  }
  return true;
}

}  // namespace

std::string CloneLineAddress(int index) {
  const int address = (index - 1) * kBytesPerLine;
  std::string text(4, '0');
  for (int i = 3, value = address; i >= 0; --i, value >>= 4) text[i] = HexDigit(value);
  return text;
}

int CloneChecksum(std::string_view line) {
  int sum = kChecksumBase;
  const auto add = [&](int first, int last) {
    for (int pos = first; pos <= last && pos <= static_cast<int>(line.size()); ++pos) {
      sum += DigitWeight(line[pos - 1]);
    }
  };
  add(5, 8);
  add(kFirstDataPosition, kCloneLineBodyLength);
  return sum;
}

std::string CloneLineBody(int index, std::string_view data) {
  std::string body;
  body.reserve(kCloneLineLength);
  body.append(kLinePrefix).append(CloneLineAddress(index)).append(" ").append(data);
  return body;
}

bool HasCloneLineShape(std::string_view line) {
  return (line.size() == kCloneLineLength || line.size() == kCloneLineBodyLength) &&
         line.starts_with(kLinePrefix);
}

std::string ShapeCloneLine(std::string_view line, int index) {
  if (HasCloneLineShape(line)) return std::string(line);
  std::string data;
  if (line.starts_with(kLinePrefix) && line.size() >= kFirstDataPosition) {
    data = line.substr(kFirstDataPosition - 1, 2 * kBytesPerLine);
  }
  data.resize(2 * kBytesPerLine, '0');
  return CloneLineBody(index, data);
}

CloneLineFault CheckCloneLine(std::string_view line, int index) {
  constexpr std::size_t kAddressAt = 4, kDataAt = 9, kTildeAt = 41, kChecksumAt = 42;
  if (line.size() != kCloneLineLength || !line.starts_with(kLinePrefix) || line[8] != ' ' ||
      line[kTildeAt] != '~' || !AllUpperHex(line.substr(kAddressAt, 4)) ||
      !AllUpperHex(line.substr(kDataAt, 2 * kBytesPerLine)) ||
      !AllUpperHex(line.substr(kChecksumAt, 4))) {
    return CloneLineFault::kShape;
  }
  if (line.substr(kAddressAt, 4) != CloneLineAddress(index)) return CloneLineFault::kAddress;
  if (FinishCloneLine(line) != line) return CloneLineFault::kChecksum;
  return CloneLineFault::kNone;
}

void FinishCloneLineInPlace(std::string& line) {
  if (line.size() == kCloneLineLength) line.resize(kCloneLineBodyLength);
  const int sum = CloneChecksum(line);
  const char checksum[] = {'~', '0', HexDigit(sum >> 8), HexDigit(sum >> 4), HexDigit(sum)};
  line.append(checksum, sizeof checksum);
}

std::string FinishCloneLine(std::string_view line) {
  std::string finished(line);
  FinishCloneLineInPlace(finished);
  return finished;
}

}  // namespace talvirex
