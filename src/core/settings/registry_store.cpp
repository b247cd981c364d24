// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/registry_store.h"

#include "text/text.h"

namespace talvirex {

RegistryStore RegistryStore::Parse(std::string_view text) {
  RegistryStore store;
  std::string current_key;
  std::size_t pos = 0;
  while (pos < text.size()) {
    // Lines end at CR LF, LF or a lone CR, so no stored value holds a line break.
    auto end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(pos, end - pos);
    pos = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current_key = std::string(line.substr(1, line.size() - 2));
      continue;
    }
    const auto equals = line.find('=');
    if (current_key.empty() || equals == std::string_view::npos || equals == 0) continue;
    store.keys_[current_key][std::string(line.substr(0, equals))] =
        std::string(line.substr(equals + 1));
  }
  return store;
}

std::string RegistryStore::Serialize() const {
  std::string text;
  for (const auto& [key, values] : keys_) {
    text += "[" + key + "]\n";
    for (const auto& [name, value] : values) text += name + "=" + value + "\n";
  }
  return text;
}

std::string RegistryStore::RegistryGet(std::string_view name, std::string_view fallback) const {
  std::string value;
  if (const auto key = keys_.find(kRegistryKey); key != keys_.end()) {
    if (const auto found = key->second.find(name); found != key->second.end())
      value = found->second;
  }
  value = value.substr(0, value.find('\0'));
  if (value.empty()) value = std::string(fallback);
  if (!value.empty()) value.pop_back();
  return value;
}

void RegistryStore::RegistryPut(std::string_view name, std::string_view value) {
  std::string stored(value);
  // A line break would split the stored line; the store keeps one value a line.
  for (char& c : stored) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  keys_[std::string(kRegistryKey)][std::string(name)] = stored + "x";
}

}  // namespace talvirex
