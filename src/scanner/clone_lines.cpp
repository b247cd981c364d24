#include "scanner/clone_lines.h"

#include <array>
#include <cstdint>

namespace talvirex::scanner {

namespace {

constexpr std::size_t kImageBytes = kLineCount * 16;
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsUpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

bool AllUpperHex(std::string_view text) {
  for (char c : text) {
    if (!IsUpperHex(c)) return false;
  }
  return true;
}

int HexValue(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 16 + (c <= '9' ? c - '0' : c - 'A' + 10);
  return value;
}

std::string Hex(int value, int digits) {
  std::string text(static_cast<std::size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4) {
    text[static_cast<std::size_t>(i)] = kHexDigits[value & 0xF];
  }
  return text;
}

void Fill(std::array<std::uint8_t, kImageBytes>& image, std::size_t from, std::size_t to,
          std::uint8_t value) {
  for (std::size_t a = from; a <= to; ++a) image[a] = value;
}

void Put(std::array<std::uint8_t, kImageBytes>& image, std::size_t from,
         std::initializer_list<std::uint8_t> bytes) {
  for (std::uint8_t b : bytes) image[from++] = b;
}

}  // namespace

int LineChecksum(std::string_view line) {
  int sum = 2013;
  for (std::size_t i = 4; i < 41 && i < line.size(); ++i) {
    if (i == 8) continue;
    const char c = line[i];
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) sum += c - '0';
  }
  return sum;
}

std::string MakeLine(int index, std::string_view bytes) {
  std::string line = "CLN " + Hex((index - 1) * 16, 4) + ' ';
  for (char b : bytes) {
    const auto value = static_cast<std::uint8_t>(b);
    line += kHexDigits[value >> 4];
    line += kHexDigits[value & 0xF];
  }
  return line + '~' + Hex(LineChecksum(line), 4);
}

std::vector<std::string> DefaultImageLines() {
  std::array<std::uint8_t, kImageBytes> image{};
  Put(image, 0x00CB, {0xFF, 0x03, 0x00, 0x08, 0x00});
  Put(image, 0x00D0, {0x00, 0x14, 0x28, 0x3C, 0x50, 0x64, 0x78, 0x8C, 0xA0, 0xB4});
  Fill(image, 0x00E0, 0x01A7, 0x80);  // every channel locked out
  Put(image, 0x01B8, {0x02, 0x02});
  Fill(image, 0x0700, 0x07C7, 0xFF);  // no subtone anywhere
  Put(image, 0x07C8, {0x03, 0x00, 0x00, 0x45, 0x45, 0x45, 0x45, 0x45});
  Put(image, 0x07D0,
      {0x01, 0x45, 0x09, 0x00, 0x00, 0x45, 0x02, 0x02, 0x05, 0x45, 0x04, 0x08, 0x02, 0x02, 0xFF,
       0x00});
  Put(image, 0x07E0, {0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF});
  Fill(image, 0x07E8, 0x07FF, 0xFF);
  Fill(image, 0x0800, kImageBytes - 1, 0x4A);  // every tag ten blanks

  std::vector<std::string> lines;
  lines.reserve(kLineCount);
  for (int i = 1; i <= kLineCount; ++i) {
    const auto* start = reinterpret_cast<const char*>(image.data()) + (i - 1) * 16;
    lines.push_back(MakeLine(i, std::string_view(start, 16)));
  }
  return lines;
}

LineFault CheckLine(std::string_view line, int index) {
  if (line.size() != kLineLength) return LineFault::kLength;
  if (line.substr(0, 4) != "CLN " || line[8] != ' ' || line[41] != '~' ||
      !AllUpperHex(line.substr(4, 4)) || !AllUpperHex(line.substr(9, 32)) ||
      !AllUpperHex(line.substr(42, 4))) {
    return LineFault::kFormat;
  }
  if (HexValue(line.substr(42, 4)) != LineChecksum(line)) return LineFault::kChecksum;
  if (HexValue(line.substr(4, 4)) != (index - 1) * 16) return LineFault::kAddress;
  return LineFault::kNone;
}

std::string_view FaultName(LineFault fault) {
  switch (fault) {
    case LineFault::kNone:
      return "sound";
    case LineFault::kLength:
      return "length";
    case LineFault::kFormat:
      return "format";
    case LineFault::kChecksum:
      return "checksum";
    case LineFault::kAddress:
      return "address";
  }
  return "unknown";
}

ImageText ParseImageText(std::string_view text) {
  ImageText result;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    result.lines.emplace_back(line);
    start = end + 1;
  }
  while (!result.lines.empty() && result.lines.back().empty()) result.lines.pop_back();
  if (result.lines.size() != kLineCount) {
    result.error = "has " + std::to_string(result.lines.size()) + " lines, not 253";
    return result;
  }
  for (int i = 1; i <= kLineCount; ++i) {
    const LineFault fault = CheckLine(result.lines[static_cast<std::size_t>(i - 1)], i);
    if (fault != LineFault::kNone) {
      result.error = "line " + std::to_string(i) + ": wrong " + std::string(FaultName(fault));
      return result;
    }
  }
  return result;
}

std::string FormatImageText(const std::vector<std::string>& lines) {
  std::string text;
  text.reserve(lines.size() * (kLineLength + 1));
  for (const std::string& line : lines) text += line + '\n';
  return text;
}

}  // namespace talvirex::scanner
