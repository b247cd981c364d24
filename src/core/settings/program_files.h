// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing the program folder's settings files: "setup.ini" and "defdata.ini". Their
// failures are silent: a missing or unreadable file gives the defaults, a failed write is skipped.

#include <filesystem>

namespace talvirex {

struct Workspace;

/// Reads "setup.ini" into the settings and "defdata.ini" into the default data.
void LoadSettingsFiles(Workspace& workspace, const std::filesystem::path& folder);

/// Writes "setup.ini" and "defdata.ini".
void SaveSettingsFiles(const Workspace& workspace, const std::filesystem::path& folder);

}  // namespace talvirex
