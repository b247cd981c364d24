#include "settings/software_options_form.h"

#include <gtest/gtest.h>

#include "settings/settings.h"

namespace talvirex {
namespace {

using Form = SoftwareOptionsForm;

TEST(SoftwareOptionsForm, EachRowEditsItsOwnSetting) {
  struct Row {
    Form::Option option;
    int Settings::*setting;
    const char* caption;
  };
  const Row rows[] = {
      {Form::kEasyTagList, &Settings::option9, "easy tag list"},
      {Form::kClearTags, &Settings::cleartag, "clear tags"},
      {Form::kRememberTags, &Settings::remtags, "remember tags"},
      {Form::kInfoBox, &Settings::infob, "info box"},
      {Form::kHideZeros, &Settings::zero, "hide zeros"},
      {Form::kLoadLast, &Settings::loadlast, "load last"},
      {Form::kWindowPosition, &Settings::window, "window"},
      {Form::kReverseShift, &Settings::shiftdir, "shift direction"},
      {Form::kTabWidths, &Settings::tabwidth, "tab widths"},
  };
  for (const auto& row : rows) {
    Settings settings;
    settings.remtags = 0;
    settings.*row.setting = 1;
    Form form;
    form.Load(settings);
    for (int i = 0; i < Form::kOptionCount; ++i) {
      EXPECT_EQ(form.options[i], i == row.option) << row.caption << " shows row " << i;
    }
    form.options[row.option] = false;
    Settings expected = settings;
    expected.*row.setting = 0;
    form.Ok(settings);
    EXPECT_EQ(settings, expected) << row.caption;
  }
}

TEST(SoftwareOptionsForm, FlagsOtherThanOneShowUntickedAndStoreZero) {
  Settings settings;
  settings.cleartag = 7;
  settings.backena = 2;
  Form form;
  form.Load(settings);
  EXPECT_FALSE(form.options[Form::kClearTags]);
  EXPECT_FALSE(form.backup_enabled);
  form.Ok(settings);
  EXPECT_EQ(settings.cleartag, 0);
  EXPECT_EQ(settings.backena, 0);
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
    settings.align = c.stored;
    Form form;
    form.Load(settings);
    EXPECT_EQ(form.alignment, c.shown) << c.stored;
    form.alignment = c.chosen;
    form.Ok(settings);
    EXPECT_EQ(settings.align, c.after_ok) << c.stored;
  }
}

TEST(SoftwareOptionsForm, OkLeavesSettingsTheDialogDoesNotShow) {
  Settings settings;
  settings.expert = 1;
  settings.option4 = 3;
  settings.copytags = 1;
  settings.findoptie1 = 1;
  const Settings before = settings;
  Form form;
  form.Load(settings);
  form.Ok(settings);
  EXPECT_EQ(settings, before);
}

}  // namespace
}  // namespace talvirex
