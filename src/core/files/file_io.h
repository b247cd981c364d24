#pragma once
// Whole-file reads and safe writes. Every write of a file goes to a temporary file in the same
// folder and is renamed over the target only when complete, so a failed or interrupted write never
// destroys the previous file.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace talvirex {

struct IoError {
  int code = 0;            // the system's error number (errno), 0 when none applies
  std::string reason;      // the system's description of it
};

struct ReadResult {
  std::optional<std::string> bytes;  // empty on failure
  IoError error;
};

/// Reads the whole file. Refuses a folder and a file larger than `max_bytes`.
ReadResult ReadWholeFile(const std::filesystem::path& path, std::size_t max_bytes = 256u << 20);

/// Writes `bytes` to a temporary file beside `path`, flushes it and renames it over `path`.
/// Returns nothing on success, the failure otherwise; on failure `path` is untouched.
std::optional<IoError> WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

/// The file's text when it can be read, else the empty text (for the program's own files, whose
/// failures are silent).
std::string ReadTextOrEmpty(const std::filesystem::path& path);

}  // namespace talvirex
