// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/program_folder.h"

#include <cstdlib>
#include <system_error>

namespace talvirex {

namespace {
std::filesystem::path FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::filesystem::path(value)
                                            : std::filesystem::path();
}
}  // namespace

std::filesystem::path ProgramFolder() {
  std::filesystem::path folder = FromEnvironment("TALVIREX_HOME");
  if (folder.empty()) {
#ifdef _WIN32
    if (auto appdata = FromEnvironment("APPDATA"); !appdata.empty()) folder = appdata / "talvirex";
#else
    if (auto xdg = FromEnvironment("XDG_CONFIG_HOME"); !xdg.empty()) {
      folder = xdg / "talvirex";
    } else if (auto home = FromEnvironment("HOME"); !home.empty()) {
      folder = home / ".config" / "talvirex";
    }
#endif
  }
  if (folder.empty()) folder = std::filesystem::current_path() / "talvirex";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder;
}

}  // namespace talvirex
