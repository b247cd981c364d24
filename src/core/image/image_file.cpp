#include "image/image_file.h"

#include <vector>

#include "files/file_io.h"

namespace talvirex {

namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  while (!lines.empty() && lines.back().find_first_not_of(" \t\r") == std::string_view::npos) {
    lines.pop_back();
  }
  return lines;
}

}  // namespace

std::variant<CloneImage, ImageFileError> ParseImageFile(std::string_view text) {
  const std::vector<std::string_view> lines = SplitLines(text);
  if (lines.size() != static_cast<std::size_t>(kCloneLineCount)) {
    return ImageFileError{"The file holds " + std::to_string(lines.size()) +
                          (lines.size() == 1 ? " line" : " lines") +
                          "; a scanner image has 253 clone lines."};
  }
  CloneImage image;
  for (int i = 1; i <= kCloneLineCount; ++i) {
    const std::string_view line = lines[i - 1];
    if (!line.starts_with("CLN")) {
      return ImageFileError{"Line " + std::to_string(i) +
                            " of the file is not a clone line (it must begin with \"CLN\")."};
    }
    image.lines[i] = std::string(line);
  }
  return image;
}

std::string ImageFileText(const CloneImage& image) {
  std::string text;
  text.reserve(kCloneLineCount * 47);
  for (int i = 1; i <= kCloneLineCount; ++i) text.append(image.lines[i]).append("\n");
  return text;
}

}  // namespace talvirex

namespace talvirex {

std::variant<CloneImage, ImageFileError> LoadImageFile(const std::filesystem::path& path) {
  constexpr std::size_t kLargestImageFile = 1u << 20;
  const ReadResult read = ReadWholeFile(path, kLargestImageFile);
  if (!read.bytes) {
    return ImageFileError{"The file " + path.string() + " could not be read: " + read.error.reason};
  }
  return ParseImageFile(*read.bytes);
}

}  // namespace talvirex
