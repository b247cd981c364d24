// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program folder: the per-user folder that holds "setup.ini", "defdata.ini", "names.dat",
// "window.dat", "tabw200.ini", "lastfile.ini", "lastused.sav", the registry store and "backup/".

#include <filesystem>

namespace talvirex {

/// $TALVIREX_HOME when set, else $XDG_CONFIG_HOME/talvirex, else ~/.config/talvirex (on Windows
/// %APPDATA%\talvirex). Created when missing; a creation failure is left for the callers' writes
/// to meet (they are silent for the program's own files).
std::filesystem::path ProgramFolder();

/// The registry store's file in the program folder.
inline std::filesystem::path RegistryStorePath(const std::filesystem::path& folder) {
  return folder / "registry.ini";
}

}  // namespace talvirex
