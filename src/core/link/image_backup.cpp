// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/image_backup.h"

#include <chrono>
#include <cstdio>
#include <system_error>

#include "image/image_file.h"

namespace talvirex {

namespace {

constexpr std::string_view kReadSuffix = "_read.img";
constexpr std::string_view kSendSuffix = "_send.img";

bool IsDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

std::string ImageBackupName(const LocalTime& t, BackupKind kind) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d_%02d-%02d-%02d", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  return std::string(stamp) + std::string(kind == BackupKind::kRead ? kReadSuffix : kSendSuffix);
}

bool IsImageBackupName(std::string_view name) {
  // "YYYY-MM-DD_hh-mm-ss" then one of the two suffixes; 19 characters of stamp.
  if (name.size() != 19 + kReadSuffix.size()) return false;
  const std::string_view suffix = name.substr(19);
  if (suffix != kReadSuffix && suffix != kSendSuffix) return false;
  const std::string_view stamp = name.substr(0, 19);
  for (const std::size_t at : {4u, 7u, 13u, 16u}) {
    if (stamp[at] != '-') return false;
  }
  return stamp[10] == '_' && IsDigits(stamp.substr(0, 4)) && IsDigits(stamp.substr(5, 2)) &&
         IsDigits(stamp.substr(8, 2)) && IsDigits(stamp.substr(11, 2)) &&
         IsDigits(stamp.substr(14, 2)) && IsDigits(stamp.substr(17, 2));
}

ImageBackup WriteImageBackup(const CloneImage& image, const std::filesystem::path& program_folder,
                             const LocalTime& time, BackupKind kind) {
  const auto folder = program_folder / "backup";
  // A folder that cannot be made shows in the write's own failure ("Not a directory", ...).
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  ImageBackup backup{folder / ImageBackupName(time, kind), std::nullopt};
  backup.failure = WriteFileAtomically(backup.path, ImageFileText(image));
  return backup;
}

int RemoveOldImageBackups(const std::filesystem::path& program_folder,
                          std::filesystem::file_time_type now) {
  const auto cutoff = now - std::chrono::hours(24 * kImageBackupDays);
  std::error_code ec;
  std::filesystem::directory_iterator entries(program_folder / "backup", ec);
  if (ec) return 0;
  int removed = 0;
  for (const auto& entry : entries) {
    if (!entry.is_regular_file(ec) || !IsImageBackupName(entry.path().filename().string()))
      continue;
    const auto written = entry.last_write_time(ec);
    if (!ec && written < cutoff && std::filesystem::remove(entry.path(), ec)) ++removed;
  }
  return removed;
}

}  // namespace talvirex
