// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/program_documents.h"

#include <string>

namespace talvirex {

std::vector<std::filesystem::path> DocumentCandidates(const std::filesystem::path& program_dir,
                                                      std::string_view document) {
  const std::filesystem::path relative{std::string(document)};
  return {(program_dir / relative).lexically_normal(),
          (program_dir / ".." / "share" / "talvirex" / relative).lexically_normal()};
}

std::optional<std::filesystem::path> FindDocument(const std::filesystem::path& program_dir,
                                                  std::string_view document) {
  for (const std::filesystem::path& candidate : DocumentCandidates(program_dir, document)) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  return std::nullopt;
}

std::string MissingDocumentText(const std::filesystem::path& program_dir,
                                std::string_view document) {
  const bool manual = document == kUserManualDocument;
  std::string text = manual ? "The user manual was not found." : "The help was not found.";
  text += "\r\nLooked for:";
  for (const std::filesystem::path& candidate : DocumentCandidates(program_dir, document)) {
    text += "\r\n" + candidate.string();
  }
  return text;
}

}  // namespace talvirex
