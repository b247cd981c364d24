// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/recent_files.h"

#include <algorithm>

#include "files/file_io.h"
#include "text/text.h"

namespace talvirex {

namespace {

// A path written one way and read another ("a/./b.s2c", "a//b.s2c") is the same file.
std::string SamePathForm(const std::string& path) {
  return std::filesystem::path(path).lexically_normal().string();
}

}  // namespace

void RecentFiles::Note(const std::string& path) {
  const std::string normal = SamePathForm(path);
  // The list keeps one path a line: a name with a line break could not come back whole.
  if (normal.empty() || normal.find_first_of("\r\n") != std::string::npos) return;
  Forget(normal);
  paths_.insert(paths_.begin(), normal);
  if (paths_.size() > kRecentFilesKept) paths_.resize(kRecentFilesKept);
}

void RecentFiles::Forget(const std::string& path) { std::erase(paths_, SamePathForm(path)); }

void RecentFiles::Load(const std::filesystem::path& folder) {
  paths_.clear();
  const std::string text = ReadTextOrEmpty(folder / kRecentFilesName);
  std::size_t start = 0;
  // The file is newest first; a hand-edited one may name a path twice or too many, and the
  // first mentions win.
  while (start < text.size() && paths_.size() < kRecentFilesKept) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line.ends_with('\r')) line.pop_back();
    if (TrimBlanks(line).empty()) continue;
    line = SamePathForm(line);
    if (std::ranges::find(paths_, line) == paths_.end()) paths_.push_back(std::move(line));
  }
}

void RecentFiles::Save(const std::filesystem::path& folder) const {
  std::string text;
  for (const std::string& path : paths_) text += path + "\r\n";
  WriteFileAtomically(folder / kRecentFilesName, text);
}

std::string RecentFileCaption(std::size_t index, std::string_view path) {
  std::string caption = "&" + std::to_string(index + 1) + " ";
  for (const char c : path) {
    if (c == '&') caption += '&';
    caption += c;
  }
  return caption;
}

}  // namespace talvirex
