// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Safety copies of the scanner's memory around every transfer: after a complete read the 253 lines
// received, before a send the 253 lines about to go out, each as a time-stamped image file in the
// program folder's "backup" folder. `talvirex send --base` and `talvirex restore` take them back,
// so a scanner can always be put back as it was.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "files/file_io.h"
#include "ports/clock.h"

namespace talvirex {

struct CloneImage;

enum class BackupKind { kRead, kSend };

inline constexpr int kImageBackupDays = 365;

/// "2026-12-05_16-50-00_read.img" (or "_send.img") for the given time.
std::string ImageBackupName(const LocalTime& time, BackupKind kind);

/// Where a backup went, or why it could not.
struct ImageBackup {
  std::filesystem::path path;      // `<program folder>/backup/<ImageBackupName>`
  std::optional<IoError> failure;  // set when nothing was written there
};

/// Writes `image` to `<program folder>/backup/<ImageBackupName>`, creating the folder. A failure
/// is returned, not shown: the caller reports it, and the transfer itself goes on.
ImageBackup WriteImageBackup(const CloneImage& image, const std::filesystem::path& program_folder,
                             const LocalTime& time, BackupKind kind);

/// Removes the image backups (files named as ImageBackupName makes them) older than 365 days from
/// `<program folder>/backup`; other files there are left alone. Returns how many were removed.
int RemoveOldImageBackups(
    const std::filesystem::path& program_folder,
    std::filesystem::file_time_type now = std::filesystem::file_time_type::clock::now());

/// True for a file name that ImageBackupName could have made.
bool IsImageBackupName(std::string_view name);

}  // namespace talvirex
