#include "settings/software_options_form.h"

#include <gtest/gtest.h>

#include "settings/settings.h"

namespace talvirex {
namespace {

using Form = SoftwareOptionsForm;

TEST(SoftwareOptionsForm, EachRowEditsItsOwnSetting) {
  struct Row {
    Form::Option option;
    bool Settings::*setting;
    const char* caption;
  };
  const Row rows[] = {
      {Form::kEasyTagList, &Settings::easy_tag_lists, "easy tag list"},
      {Form::kClearTags, &Settings::clear_tags_on_new, "clear tags"},
      {Form::kRememberTags, &Settings::remember_tags, "remember tags"},
      {Form::kInfoBox, &Settings::show_info_box, "info box"},
      {Form::kHideZeros, &Settings::hide_leading_zeros, "hide zeros"},
      {Form::kLoadLast, &Settings::load_last_file, "load last"},
      {Form::kWindowPosition, &Settings::save_window_placement, "window"},
      {Form::kReverseShift, &Settings::reverse_shift, "shift direction"},
      {Form::kTabWidths, &Settings::save_column_widths, "tab widths"},
  };
  for (const auto& row : rows) {
    Settings settings;
    settings.remember_tags = false;
    settings.*row.setting = true;
    Form form;
    form.Load(settings);
    for (int i = 0; i < Form::kOptionCount; ++i) {
      EXPECT_EQ(form.options[i], i == row.option) << row.caption << " shows row " << i;
    }
    form.options[row.option] = false;
    Settings expected = settings;
    expected.*row.setting = false;
    form.Ok(settings);
    EXPECT_EQ(settings, expected) << row.caption;
  }
}

TEST(SoftwareOptionsForm, ABackupSwitchOtherThanOneShowsUntickedAndStoresZero) {
  Settings settings;
  settings.periodic_backup = 2;
  Form form;
  form.Load(settings);
  EXPECT_FALSE(form.backup_enabled);
  form.Ok(settings);
  EXPECT_EQ(settings.periodic_backup, 0);
}

TEST(SoftwareOptionsForm, BackupDelayAndItsLabels) {
  struct Case {
    int stored;
    int scroll_to;  // 0: not moved
    int shown;
    const char* unit;
  };
  const Case cases[] = {
      {1, 0, 1, "Minute."}, {250, 0, 1, "Minute."},
      {15, 2, 2, "Minutes."}, {15, 500, 99, "Minutes."},
  };
  for (const auto& c : cases) {
    Settings settings;
    settings.backupdelay = c.stored;
    Form form;
    form.Load(settings);
    if (c.scroll_to != 0) form.SetBackupDelay(c.scroll_to);
    EXPECT_EQ(form.DelayLabel(), std::to_string(c.shown)) << c.stored << " / " << c.scroll_to;
    EXPECT_EQ(form.UnitLabel(), c.unit) << c.stored << " / " << c.scroll_to;
    form.Ok(settings);
    EXPECT_EQ(settings.backupdelay, c.shown);
  }
}

TEST(SoftwareOptionsForm, AlignmentList) {
  struct Case {
    int stored;
    int shown;
    int chosen;
    int after_ok;
  };
  const Case cases[] = {
      {0, 0, 2, 2}, {2, 2, 0, 0}, {5, -1, -1, 5}, {-1, -1, 1, 1},
  };
  for (const auto& c : cases) {
    Settings settings;
    settings.align = static_cast<GridAlignment>(c.stored);
    Form form;
    form.Load(settings);
    EXPECT_EQ(form.alignment, c.shown) << c.stored;
    form.alignment = c.chosen;
    form.Ok(settings);
    EXPECT_EQ(static_cast<int>(settings.align), c.after_ok) << c.stored;
  }
}

TEST(SoftwareOptionsForm, OkLeavesSettingsTheDialogDoesNotShow) {
  Settings settings;
  settings.expert = true;
  settings.skip_exit_question = 3;
  settings.copy_tags = true;
  settings.find_in_all_banks = true;
  const Settings before = settings;
  Form form;
  form.Load(settings);
  form.Ok(settings);
  EXPECT_EQ(settings, before);
}

}  // namespace
}  // namespace talvirex
