// SPDX-License-Identifier: GPL-3.0-or-later
// The program folder's settings files on any bytes: "setup.ini", the registry store and
// "defdata.ini". Whatever is read must write back and read again to the same values.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/default_data.h"
#include "settings/registry_store.h"
#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  const talvirex::Settings settings = talvirex::LoadSettings(text);
  if (settings.backupdelay < 1 || settings.backupdelay > 99) std::abort();
  talvirex::Settings written_back = talvirex::LoadSettings(talvirex::SaveSettings(settings));
  if (written_back.backupdelay != settings.backupdelay) std::abort();

  talvirex::RegistryStore store = talvirex::RegistryStore::Parse(text);
  const std::string port = store.RegistryGet("comport", "1x");
  store.RegistryPut("comport", port);
  if (talvirex::RegistryStore::Parse(store.Serialize()).RegistryGet("comport", "1x") != port) {
    std::abort();
  }

  const talvirex::DefaultData defaults = talvirex::LoadDefaultData(text);
  if (talvirex::LoadDefaultData(talvirex::SaveDefaultData(defaults)) != defaults) std::abort();
  return 0;
}
