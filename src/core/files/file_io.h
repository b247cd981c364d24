// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole-file reads and safe writes. Every write of a file goes to a temporary file in the same
// folder, is flushed to the disk, and only then renamed over the target, whose folder is flushed
// again: a write that fails, or a process killed or a power cut at any moment, leaves either the
// previous file or the new one, whole.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace talvirex {

class FileSystem;

struct IoError {
  int code = 0;        // the system's error number (errno), 0 when none applies
  std::string reason;  // the system's description of it
};

struct ReadResult {
  std::optional<std::string> bytes;  // empty on failure
  IoError error;
};

/// Reads the whole file. Refuses a folder and a file larger than `max_bytes`.
ReadResult ReadWholeFile(const std::filesystem::path& path, std::size_t max_bytes = 256u << 20);

/// The reason given when a save meets a read-only file.
inline constexpr std::string_view kReadOnlyReason = "The file is read-only; nothing was written.";

/// True when `path` (through its symbolic links) is an existing file that the user has made
/// read-only: no write permission for anyone, or none for this user. The rename of a save needs
/// only the folder's permission, so without this check a save would replace such a file; root
/// may write anything, so for root only the permission bits tell.
bool IsReadOnlyFile(const std::filesystem::path& path);

/// Writes `bytes` to a temporary file beside `path`, flushes it and renames it over `path`.
/// A symbolic link is written through: its target gets the new content and the link stays. An
/// existing file keeps its permission bits; a new one gets the usual ones (0666 less the umask).
/// A read-only file (IsReadOnlyFile) is refused before anything is written, with EACCES and
/// kReadOnlyReason. Returns nothing on success, the failure otherwise; on failure `path` is
/// untouched and no temporary file is left behind.
std::optional<IoError> WriteFileAtomically(const std::filesystem::path& path,
                                           std::string_view bytes);
/// The same through `files`.
std::optional<IoError> WriteFileAtomically(const std::filesystem::path& path,
                                           std::string_view bytes, FileSystem& files);

/// The file's text when it can be read, else the empty text (for the program's own files, whose
/// failures are silent).
std::string ReadTextOrEmpty(const std::filesystem::path& path);

}  // namespace talvirex
