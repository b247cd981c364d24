// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings.h"

#include <algorithm>
#include <array>
#include <type_traits>
#include <utility>
#include <variant>

#include "model/numeric_value.h"
#include "text/text.h"

namespace talvirex {

namespace {

// A setting as the file holds it: a flag, a number, or the grid alignment.
using Member = std::variant<bool Settings::*, int Settings::*, GridAlignment Settings::*>;
struct Key {
  std::string_view name;
  Member member;
  std::string_view fallback;
};

// The keys start-up reads, in its order; the value of "savenames" is not used.
constexpr std::array<Key, 29> kReadOrder = {{
    {"align", &Settings::align, "0"},
    {"zero", &Settings::hide_leading_zeros, "0"},
    {"cleartag", &Settings::clear_tags_on_new, "0"},
    {"remtags", &Settings::remember_tags, "1"},
    {"window", &Settings::save_window_placement, "0"},
    {"toolbar", &Settings::show_toolbars, "1"},
    {"helpbar", &Settings::help_bar_shown, "1"},
    {"copytags", &Settings::copy_tags, "0"},
    {"shiftdir", &Settings::reverse_shift, "0"},
    {"loadlast", &Settings::load_last_file, "0"},
    {"tabwidth", &Settings::save_column_widths, "0"},
    {"confirm", &Settings::confirm, "0"},
    {"option1", &Settings::option1, "0"},
    {"option2", &Settings::option2, "0"},
    {"option3", &Settings::option3, "0"},
    {"option4", &Settings::skip_exit_question, "0"},
    {"option5", &Settings::option5, "0"},
    {"option6", &Settings::option6, "0"},
    {"option7", &Settings::option7, "0"},
    {"option8", &Settings::option8, "0"},
    {"option9", &Settings::easy_tag_lists, "0"},
    {"option10", &Settings::option10, "0"},
    {"expert", &Settings::expert, "0"},
    {"backupdelay", &Settings::backupdelay, "15"},
    {"backena", &Settings::periodic_backup, "1"},
    {"findoptie0", &Settings::find_in_tags, "0"},
    {"findoptie1", &Settings::find_in_all_banks, "0"},
    {"findoptie2", &Settings::findoptie2, "0"},
    {"infob", &Settings::show_info_box, "0"},
}};

// The settings that the file writes as "key=1" or "key=0", in the file's order after "savenames".
constexpr std::array<std::pair<std::string_view, Member>, 20> kFlagLines = {{
    {"cleartag", &Settings::clear_tags_on_new},
    {"window", &Settings::save_window_placement},
    {"toolbar", &Settings::show_toolbars},
    {"helpbar", &Settings::help_bar_shown},
    {"remtags", &Settings::remember_tags},
    {"copytags", &Settings::copy_tags},
    {"shiftdir", &Settings::reverse_shift},
    {"confirm", &Settings::confirm},
    {"loadlast", &Settings::load_last_file},
    {"tabwidth", &Settings::save_column_widths},
    {"option1", &Settings::option1},
    {"option2", &Settings::option2},
    {"option3", &Settings::option3},
    {"option4", &Settings::skip_exit_question},
    {"option5", &Settings::option5},
    {"option6", &Settings::option6},
    {"option7", &Settings::option7},
    {"option8", &Settings::option8},
    {"option9", &Settings::easy_tag_lists},
    {"option10", &Settings::option10},
}};

// The number a setting stands for in the file.
int FileValue(const Settings& settings, const Member& member) {
  return std::visit([&settings](auto field) { return static_cast<int>(settings.*field); }, member);
}

// A flag is on only when the file holds 1; numbers and the alignment keep the value read.
void SetFromFile(Settings& settings, const Member& member, int value) {
  std::visit(
      [&settings, value](auto field) {
        using Value = std::remove_reference_t<decltype(settings.*field)>;
        if constexpr (std::is_same_v<Value, bool>) {
          settings.*field = value == 1;
        } else {
          settings.*field = static_cast<Value>(value);
        }
      },
      member);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    const auto lower = [](char c) {
      return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    };
    return lower(x) == lower(y);
  });
}

std::string FlagLine(std::string_view key, int value) {
  return std::string(key) + (value == 1 ? "=1\r\n" : "=0\r\n");
}

}  // namespace

std::string ReadSetting(std::string_view ini_text, std::string_view key,
                        std::string_view fallback) {
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
      in_section = close != std::string_view::npos &&
                   EqualsIgnoringCase(TrimBlanks(line.substr(1, close - 1)), "setup");
      continue;
    }
    if (!in_section) continue;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (!EqualsIgnoringCase(TrimBlanks(line.substr(0, equals)), key)) continue;
    std::string_view value = TrimBlanks(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, kMaxValue));
  }
  return std::string(fallback.substr(0, kMaxValue));
}

Settings LoadSettings(std::string_view ini_text) {
  Settings settings;
  for (const Key& key : kReadOrder) {
    SetFromFile(settings, key.member, SmallIntValue(ReadSetting(ini_text, key.name, key.fallback)));
  }
  settings.option2 = false;
  settings.option7 = false;
  settings.show_info_box = false;
  settings.backupdelay = std::clamp(settings.backupdelay, 1, 99);
  return settings;
}

std::string SaveSettings(const Settings& s) {
  std::string text = "[setup]\r\n";
  text += FlagLine("zero", s.hide_leading_zeros);
  text += "savenames=0\r\n";
  for (const auto& [key, member] : kFlagLines) text += FlagLine(key, FileValue(s, member));
  if (IsListedAlignment(s.align)) text += "align=" + IntText(static_cast<int>(s.align)) + "\r\n";
  text += FlagLine("expert", s.expert);
  text += "backupdelay=" + IntText(s.backupdelay) + "\r\n";
  text += FlagLine("backena", s.periodic_backup);
  text += FlagLine("findoptie0", s.find_in_tags);
  text += FlagLine("findoptie1", s.find_in_all_banks);
  text += FlagLine("findoptie2", s.findoptie2);
  text += FlagLine("infob", s.show_info_box);
  return text;
}

}  // namespace talvirex
