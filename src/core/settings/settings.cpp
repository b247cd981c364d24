#include "settings/settings.h"

#include <algorithm>
#include <array>
#include <utility>

#include "model/numeric_value.h"
#include "text/text.h"

namespace talvirex {

namespace {

using Member = int Settings::*;
struct Key {
  std::string_view name;
  Member member;
  std::string_view fallback;
};

// The order in which start-up reads the keys.
constexpr std::array<Key, 30> kReadOrder = {{
    {"align", &Settings::align, "0"},           {"zero", &Settings::zero, "0"},
    {"savenames", &Settings::savenames, "0"},   {"cleartag", &Settings::cleartag, "0"},
    {"remtags", &Settings::remtags, "1"},       {"window", &Settings::window, "0"},
    {"toolbar", &Settings::toolbar, "1"},       {"helpbar", &Settings::helpbar, "1"},
    {"copytags", &Settings::copytags, "0"},     {"shiftdir", &Settings::shiftdir, "0"},
    {"loadlast", &Settings::loadlast, "0"},     {"tabwidth", &Settings::tabwidth, "0"},
    {"confirm", &Settings::confirm, "0"},       {"option1", &Settings::option1, "0"},
    {"option2", &Settings::option2, "0"},       {"option3", &Settings::option3, "0"},
    {"option4", &Settings::option4, "0"},       {"option5", &Settings::option5, "0"},
    {"option6", &Settings::option6, "0"},       {"option7", &Settings::option7, "0"},
    {"option8", &Settings::option8, "0"},       {"option9", &Settings::option9, "0"},
    {"option10", &Settings::option10, "0"},     {"expert", &Settings::expert, "0"},
    {"backupdelay", &Settings::backupdelay, "15"}, {"backena", &Settings::backena, "1"},
    {"findoptie0", &Settings::findoptie0, "0"}, {"findoptie1", &Settings::findoptie1, "0"},
    {"findoptie2", &Settings::findoptie2, "0"}, {"infob", &Settings::infob, "0"},
}};

// The flags that the file writes as "key=1" or "key=0", in the file's order after "savenames".
constexpr std::array<std::pair<std::string_view, Member>, 20> kFlagLines = {{
    {"cleartag", &Settings::cleartag}, {"window", &Settings::window},
    {"toolbar", &Settings::toolbar},   {"helpbar", &Settings::helpbar},
    {"remtags", &Settings::remtags},   {"copytags", &Settings::copytags},
    {"shiftdir", &Settings::shiftdir}, {"confirm", &Settings::confirm},
    {"loadlast", &Settings::loadlast}, {"tabwidth", &Settings::tabwidth},
    {"option1", &Settings::option1},   {"option2", &Settings::option2},
    {"option3", &Settings::option3},   {"option4", &Settings::option4},
    {"option5", &Settings::option5},   {"option6", &Settings::option6},
    {"option7", &Settings::option7},   {"option8", &Settings::option8},
    {"option9", &Settings::option9},   {"option10", &Settings::option10},
}};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

std::string FlagLine(std::string_view key, int value) {
  return std::string(key) + (value == 1 ? "=1\r\n" : "=0\r\n");
}

}  // namespace

std::string ReadSetting(std::string_view ini_text, std::string_view key, std::string_view fallback) {
  constexpr std::size_t kMaxValue = 255;
  bool in_section = false;
  std::size_t pos = 0;
  while (pos < ini_text.size()) {
    auto end = ini_text.find('\n', pos);
    if (end == std::string_view::npos) end = ini_text.size();
    std::string_view line = ini_text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = TrimBlanks(line);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const auto close = line.find(']');
      in_section = close != std::string_view::npos && EqualsIgnoringCase(TrimBlanks(line.substr(1, close - 1)), "setup");
      continue;
    }
    if (!in_section) continue;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (!EqualsIgnoringCase(TrimBlanks(line.substr(0, equals)), key)) continue;
    std::string_view value = TrimBlanks(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, kMaxValue));
  }
  return std::string(fallback.substr(0, kMaxValue));
}

Settings LoadSettings(std::string_view ini_text) {
  Settings settings;
  for (const Key& key : kReadOrder) {
    settings.*key.member = SmallIntValue(ReadSetting(ini_text, key.name, key.fallback));
  }
  settings.savenames = 0;  // the value read is discarded
  settings.option2 = 0;
  settings.option7 = 0;
  settings.infob = 0;
  settings.backupdelay = std::clamp(settings.backupdelay, 1, 99);
  return settings;
}

std::string SaveSettings(const Settings& s) {
  std::string text = "[setup]\r\n";
  text += FlagLine("zero", s.zero);
  text += "savenames=0\r\n";
  for (const auto& [key, member] : kFlagLines) text += FlagLine(key, s.*member);
  if (s.align >= 0 && s.align <= 2) text += "align=" + IntText(s.align) + "\r\n";
  text += FlagLine("expert", s.expert);
  text += "backupdelay=" + IntText(s.backupdelay) + "\r\n";
  text += FlagLine("backena", s.backena);
  text += FlagLine("findoptie0", s.findoptie0);
  text += FlagLine("findoptie1", s.findoptie1);
  text += FlagLine("findoptie2", s.findoptie2);
  text += FlagLine("infob", s.infob);
  return text;
}

}  // namespace talvirex
