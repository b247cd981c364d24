#include "image/clone_line.h"

namespace talvirex {

namespace {

constexpr int kChecksumBase = 2013;  // the sum of "CLN 0000 " and 32 zeros
constexpr std::string_view kLinePrefix = "CLN ";

int DigitWeight(char c) { return HexDigitValue(c) >= 0 ? c - '0' : 0; }

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

std::string FinishCloneLine(std::string_view line) {
  if (line.size() == kCloneLineLength) line = line.substr(0, kCloneLineBodyLength);
  const int sum = CloneChecksum(line);
  std::string finished(line);
  finished += "~0";
  for (int shift = 8; shift >= 0; shift -= 4) finished += HexDigit(sum >> shift);
  return finished;
}

}  // namespace talvirex
