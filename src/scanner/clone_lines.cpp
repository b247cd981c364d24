// SPDX-License-Identifier: GPL-3.0-or-later
#include "scanner/clone_lines.h"

#include <cstdint>
#include <variant>

#include "image/clone_image.h"
#include "image/clone_line.h"
#include "image/image_file.h"

namespace talvirex::scanner {

namespace {

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
  switch (CheckCloneLine(line, index)) {
    case CloneLineFault::kNone: return LineFault::kNone;
    case CloneLineFault::kShape: return LineFault::kFormat;
    case CloneLineFault::kAddress: return LineFault::kAddress;
    case CloneLineFault::kChecksum: return LineFault::kChecksum;
  }
  return LineFault::kFormat;
}

ImageText ParseImageText(std::string_view text) {
  ImageText result;
  auto parsed = ParseImageFile(text);
  if (const auto* error = std::get_if<ImageFileError>(&parsed)) {
    result.error = error->message;
    return result;
  }
  // The reader has checked every line's shape, address and checksum.
  const CloneImage& image = std::get<CloneImage>(parsed);
  result.lines.assign(image.lines.begin() + 1, image.lines.begin() + 1 + kLineCount);
  return result;
}

std::string FormatImageText(const std::vector<std::string>& lines) {
  return ImageFileText(ToImage(lines));
}

}  // namespace talvirex::scanner
