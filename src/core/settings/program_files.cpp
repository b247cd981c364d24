// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/program_files.h"

#include "files/file_io.h"
#include "workspace.h"

namespace talvirex {

void LoadSettingsFiles(Workspace& ws, const std::filesystem::path& folder) {
  ws.settings = LoadSettings(ReadTextOrEmpty(folder / "setup.ini"));
  ws.default_data = LoadDefaultData(ReadTextOrEmpty(folder / "defdata.ini"));
}

void SaveSettingsFiles(const Workspace& ws, const std::filesystem::path& folder) {
  WriteFileAtomically(folder / "setup.ini", SaveSettings(ws.settings));
  WriteFileAtomically(folder / "defdata.ini", SaveDefaultData(ws.default_data));
}

}  // namespace talvirex
