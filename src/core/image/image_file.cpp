// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/image_file.h"

#include <optional>
#include <vector>

#include "files/file_io.h"
#include "image/clone_line.h"

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

// The fault of line `index` that no checksum can mend, if any.
std::optional<ImageFileError> LineError(std::string_view line, int index) {
  const std::string at = "Line " + std::to_string(index) + " of the file ";
  if (!line.starts_with("CLN")) {
    return ImageFileError{at + "is not a clone line (it must begin with \"CLN\")."};
  }
  switch (CheckCloneLine(line, index)) {
    case CloneLineFault::kShape:
      return ImageFileError{at +
                            "is not a whole clone line (\"CLN\", the address, 32 hex digits, "
                            "\"~\" and the checksum)."};
    case CloneLineFault::kAddress:
      return ImageFileError{at + "has the address " + std::string(line.substr(4, 4)) +
                            " where line " + std::to_string(index) + " of an image has " +
                            CloneLineAddress(index) + ": lines are missing or out of order."};
    case CloneLineFault::kNone:
    case CloneLineFault::kChecksum: break;
  }
  return std::nullopt;
}

}  // namespace

std::variant<CloneImage, ImageFileError> ParseImageFile(std::string_view text,
                                                        std::vector<int>* rebuilt) {
  const std::vector<std::string_view> lines = SplitLines(text);
  if (lines.size() != static_cast<std::size_t>(kCloneLineCount)) {
    return ImageFileError{"The file holds " + std::to_string(lines.size()) +
                          (lines.size() == 1 ? " line" : " lines") +
                          "; a scanner image has 253 clone lines."};
  }
  CloneImage image;
  std::vector<int> bad_checksums;
  for (int i = 1; i <= kCloneLineCount; ++i) {
    const std::string_view line = lines[i - 1];
    if (auto error = LineError(line, i)) return *std::move(error);
    image.lines[i] = std::string(line);
    if (CheckCloneLine(line, i) == CloneLineFault::kChecksum) bad_checksums.push_back(i);
  }
  if (bad_checksums.empty()) return image;
  if (rebuilt == nullptr) {
    std::string which = LineNumbersText(bad_checksums);
    which[0] = 'L';
    return ImageFileError{which + " of the file " + (bad_checksums.size() == 1 ? "has" : "have") +
                              " a wrong checksum: the image is damaged.",
                          true};
  }
  for (const int i : bad_checksums) FinishCloneLineInPlace(image.lines[i]);
  rebuilt->insert(rebuilt->end(), bad_checksums.begin(), bad_checksums.end());
  return image;
}

std::string LineNumbersText(const std::vector<int>& lines) {
  std::string text = lines.size() == 1 ? "line " : "lines ";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += i + 1 == lines.size() ? " and " : ", ";
    text += std::to_string(lines[i]);
  }
  return text;
}

std::string ImageFileText(const CloneImage& image) {
  std::string text;
  text.reserve(kCloneLineCount * 47);
  for (int i = 1; i <= kCloneLineCount; ++i) text.append(image.lines[i]).append("\n");
  return text;
}

}  // namespace talvirex

namespace talvirex {

std::variant<CloneImage, ImageFileError> LoadImageFile(const std::filesystem::path& path,
                                                       std::vector<int>* rebuilt) {
  constexpr std::size_t kLargestImageFile = 1u << 20;
  const ReadResult read = ReadWholeFile(path, kLargestImageFile);
  if (!read.bytes) {
    return ImageFileError{"The file " + path.string() + " could not be read: " + read.error.reason};
  }
  return ParseImageFile(*read.bytes, rebuilt);
}

}  // namespace talvirex
