#include "settings/software_options_form.h"

#include <gtest/gtest.h>

#include "settings/settings.h"

namespace talvirex {
namespace {

using Form = SoftwareOptionsForm;

// Each row shows and stores its own setting and no other; a flag other than 1 shows unticked.
TEST(SoftwareOptionsForm, EachRowEditsItsOwnSetting) {
  const std::pair<Form::Option, int Settings::*> rows[] = {
      {Form::kEasyTagList, &Settings::option9}, {Form::kClearTags, &Settings::cleartag},
      {Form::kRememberTags, &Settings::remtags}, {Form::kInfoBox, &Settings::infob},
      {Form::kHideZeros, &Settings::zero},      {Form::kLoadLast, &Settings::loadlast},
      {Form::kWindowPosition, &Settings::window}, {Form::kReverseShift, &Settings::shiftdir},
      {Form::kTabWidths, &Settings::tabwidth},
  };
  for (const auto& [option, setting] : rows) {
    for (const int stored : {1, 7}) {
      Settings settings;
      settings.remtags = 0;
      settings.*setting = stored;
      Form form;
      form.Load(settings);
      for (int i = 0; i < Form::kOptionCount; ++i) {
        EXPECT_EQ(form.options[i], stored == 1 && i == option) << option << " shows row " << i;
      }
      form.options[option] = !form.options[option];
      Settings expected = settings;
      expected.*setting = stored == 1 ? 0 : 1;
      form.Ok(settings);
      EXPECT_EQ(settings, expected) << option;
    }
  }
}

TEST(SoftwareOptionsForm, BackupDelayAlignmentAndTheRest) {
  const struct {
    int stored, scroll_to, shown;  // scroll_to 0: not moved
    const char* unit;
    int align, shown_align, chosen_align, stored_align;
  } cases[] = {
      {1, 0, 1, "Minute.", 0, 0, 2, 2},   {250, 0, 1, "Minute.", 2, 2, 0, 0},
      {15, 2, 2, "Minutes.", 5, -1, -1, 5}, {15, 500, 99, "Minutes.", -1, -1, 1, 1},
      {0, -3, 1, "Minute.", 1, 1, 1, 1},
  };
  for (const auto& c : cases) {
    Settings settings;
    settings.backupdelay = c.stored;
    settings.align = c.align;
    settings.backena = 2;  // not exactly 1: unticked, stored as 0
    settings.expert = 1;   // not in the dialog: kept
    Form form;
    form.Load(settings);
    if (c.scroll_to != 0) form.SetBackupDelay(c.scroll_to);
    EXPECT_EQ(form.DelayLabel() + " " + form.UnitLabel(), std::to_string(c.shown) + " " + c.unit);
    EXPECT_EQ(form.alignment, c.shown_align) << c.align;
    EXPECT_FALSE(form.backup_enabled);
    form.alignment = c.chosen_align;
    form.Ok(settings);
    EXPECT_EQ(std::vector<int>({settings.backupdelay, settings.align, settings.backena, settings.expert}),
              std::vector<int>({c.shown, c.stored_align, 0, 1}));
  }
}

}  // namespace
}  // namespace talvirex
