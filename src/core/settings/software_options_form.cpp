// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/software_options_form.h"

#include <algorithm>

#include "settings/settings.h"
#include "text/text.h"

namespace talvirex {

namespace {

struct OptionRow {
  std::string_view caption;
  int control_index;
  bool Settings::*setting;
};

constexpr std::array<OptionRow, SoftwareOptionsForm::kOptionCount> kRows = {{
    {"Show Easy Tag Dropdown List", 17, &Settings::easy_tag_lists},
    {"Automatically clear bank tags when selecting File _ New", 5, &Settings::clear_tags_on_new},
    {"Software remembers last used bank tags", 9, &Settings::remember_tags},
    {"Show Info Box", 22, &Settings::show_info_box},
    {"Hide leading zero's of frequencies", 2, &Settings::hide_leading_zeros},
    {"Load last used file at startup", 15, &Settings::load_last_file},
    {"Save Window Position", 6, &Settings::save_window_placement},
    {"Reverse Channel Shift Option Buttons", 10, &Settings::reverse_shift},
    {"Save Width of Tabs", 16, &Settings::save_column_widths},
}};

bool IsOption(int option) { return option >= 0 && option < SoftwareOptionsForm::kOptionCount; }

}  // namespace

std::string_view SoftwareOptionsForm::OptionCaption(int option) {
  return IsOption(option) ? kRows[option].caption : std::string_view{};
}

int SoftwareOptionsForm::OptionControlIndex(int option) {
  return IsOption(option) ? kRows[option].control_index : -1;
}

void SoftwareOptionsForm::Load(const Settings& settings) {
  *this = SoftwareOptionsForm{};
  backup_enabled = settings.periodic_backup == 1;
  if (settings.backupdelay >= kBackupDelayMin && settings.backupdelay <= kBackupDelayMax) {
    backup_delay = settings.backupdelay;
  }
  for (int i = 0; i < kOptionCount; ++i) options[i] = settings.*kRows[i].setting;
  alignment = IsListedAlignment(settings.align) ? static_cast<int>(settings.align) : -1;
}

void SoftwareOptionsForm::SetBackupDelay(int minutes) {
  backup_delay = std::clamp(minutes, kBackupDelayMin, kBackupDelayMax);
}

std::string SoftwareOptionsForm::DelayLabel() const { return IntText(backup_delay); }

std::string SoftwareOptionsForm::UnitLabel() const {
  return backup_delay == 1 ? "Minute." : "Minutes.";
}

void SoftwareOptionsForm::Ok(Settings& settings) const {
  if (alignment >= 0 && alignment < static_cast<int>(kAlignmentItems.size())) {
    settings.align = static_cast<GridAlignment>(alignment);
  }
  settings.backupdelay = std::clamp(backup_delay, kBackupDelayMin, kBackupDelayMax);
  settings.periodic_backup = backup_enabled ? 1 : 0;
  for (int i = 0; i < kOptionCount; ++i) settings.*kRows[i].setting = options[i];
}

}  // namespace talvirex
