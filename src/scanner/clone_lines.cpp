#include "scanner/clone_lines.h"

#include <cstdint>
#include <variant>

#include "image/clone_image.h"
#include "image/clone_line.h"
#include "image/image_file.h"

namespace talvirex::scanner {

namespace {

bool AllUpperHex(std::string_view text) {
  for (char c : text) {
    if (HexDigitValue(c) < 0) return false;
  }
  return true;
}

int HexValue(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 16 + HexDigitValue(c);
  return value;
}

CloneImage ToImage(const std::vector<std::string>& lines) {
  CloneImage image;
  for (std::size_t i = 0; i < lines.size() && i < kLineCount; ++i) image.lines[i + 1] = lines[i];
  return image;
}

}  // namespace

std::string MakeLine(int index, std::string_view bytes) {
  std::string data;
  for (char b : bytes) {
    const auto value = static_cast<std::uint8_t>(b);
    data += HexDigit(value >> 4);
    data += HexDigit(value);
  }
  return FinishCloneLine(CloneLineBody(index, data));
}

std::vector<std::string> DefaultImageLines() {
  CloneImage image;
  BuildDefaultImage(image);
  return std::vector<std::string>(image.lines.begin() + 1, image.lines.begin() + 1 + kLineCount);
}

LineFault CheckLine(std::string_view line, int index) {
  if (line.size() != kLineLength) return LineFault::kLength;
  if (line.substr(0, 4) != "CLN " || line[8] != ' ' || line[41] != '~' ||
      !AllUpperHex(line.substr(4, 4)) || !AllUpperHex(line.substr(9, 32)) ||
      !AllUpperHex(line.substr(42, 4))) {
    return LineFault::kFormat;
  }
  if (HexValue(line.substr(42, 4)) != CloneChecksum(line)) return LineFault::kChecksum;
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
  auto parsed = ParseImageFile(text);
  if (const auto* error = std::get_if<ImageFileError>(&parsed)) {
    result.error = error->message;
    return result;
  }
  const CloneImage& image = std::get<CloneImage>(parsed);
  result.lines.assign(image.lines.begin() + 1, image.lines.begin() + 1 + kLineCount);
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
  return ImageFileText(ToImage(lines));
}

}  // namespace talvirex::scanner
