// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The File menu's recent files: the last channel files opened or saved, newest first, kept in the
// program folder's "recent.ini" (one path a line) so that they outlive the run.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace talvirex {

inline constexpr std::string_view kRecentFilesName = "recent.ini";
inline constexpr std::size_t kRecentFilesKept = 8;

class RecentFiles {
 public:
  /// Newest first, at most kRecentFilesKept, no path twice.
  const std::vector<std::string>& paths() const { return paths_; }

  /// `path` becomes the newest; an older mention of it goes, the oldest beyond the limit too. A
  /// path holding a line break is not kept.
  void Note(const std::string& path);
  void Forget(const std::string& path);

  /// Reads the list from `folder`'s file; a missing or unreadable file is an empty list.
  void Load(const std::filesystem::path& folder);
  /// Writes the list to `folder`'s file; a failure only costs the list, so it is silent.
  void Save(const std::filesystem::path& folder) const;

 private:
  std::vector<std::string> paths_;
};

/// The caption of recent file `index` (0 is the newest) in its menu: "&1 " and the path, with
/// every "&" of the path shown as itself.
std::string RecentFileCaption(std::size_t index, std::string_view path);

}  // namespace talvirex
