// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The documents the Help menu opens: the user manual (a PDF) and the help (an HTML page with its
// pictures). The build puts them beside the program (`<dir of talvirex>/Manual/talvir.pdf`,
// `<dir of talvirex>/help/talvir.html`); an installed program finds them in its data folder
// (`<prefix>/bin/talvirex` looks in `<prefix>/share/talvirex/`), under the same relative names.

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace talvirex {

inline constexpr std::string_view kUserManualDocument = "Manual/talvir.pdf";
inline constexpr std::string_view kHelpDocument = "help/talvir.html";

/// The places a document is looked for, in order: beside the program, then in the installed data
/// folder `<program dir>/../share/talvirex`.
std::vector<std::filesystem::path> DocumentCandidates(const std::filesystem::path& program_dir,
                                                      std::string_view document);

/// The first candidate that is a regular file; nothing when there is none.
std::optional<std::filesystem::path> FindDocument(const std::filesystem::path& program_dir,
                                                  std::string_view document);

/// The message shown when a document is missing: what was looked for, and where.
std::string MissingDocumentText(const std::filesystem::path& program_dir,
                                std::string_view document);

}  // namespace talvirex
