#include "features/scanner_options_form.h"

#include <gtest/gtest.h>

#include "workspace.h"

namespace talvirex {
namespace {

TEST(ScannerOptionsForm, LoadsOnlyExactOnesAsOn) {
  Workspace ws;
  ws.scanner_settings = {1, 0, 2, 1, -1, 1, 1, 1, 1, 1, 2, 1, 0, 1, 5, 6, 7, 8, 9, 10, 11};
  ScannerOptionsForm form;
  form.Load(ws);
  const std::array<bool, 10> banks = {true, false, false, true, false,
                                      true, true,  true,  true, true};
  EXPECT_EQ(form.bank_active, banks);
  const std::array<bool, 4> switches = {false, true, false, true};
  EXPECT_EQ(form.switch_on, switches);

  form.Ok(ws);  // "Priority:" came from a 2 and was shown Off: stored as 0
  const std::array<int, 21> stored = {1, 0, 0, 1, 0, 1, 1, 1, 1,  1, 0,
                                      1, 0, 1, 5, 6, 7, 8, 9, 10, 11};
  EXPECT_EQ(ws.scanner_settings, stored);
  EXPECT_TRUE(ws.unsaved_changes);
}

TEST(ScannerOptionsForm, AllBanksUncheckedKeepsBankOneActive) {
  struct Case {
    const char* label;
    std::array<int, 10> before;
  };
  const Case cases[] = {
      {"all active before", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {"only bank one before", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    Workspace ws;
    std::copy(c.before.begin(), c.before.end(), ws.scanner_settings.begin());
    ScannerOptionsForm form;
    form.Load(ws);
    form.bank_active.fill(false);
    form.Ok(ws);
    EXPECT_EQ(ws.scanner_settings[0], 1) << c.label;
    const std::array<int, 10> only_bank_one = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(ws.unsaved_changes, c.before != only_bank_one) << c.label;
  }
}

TEST(ScannerOptionsForm, UnchangedOkChangesNothingAndSpareEntriesSurviveAnyNumberOfOks) {
  Workspace ws;
  for (int i = 14; i <= 20; ++i) ws.scanner_settings[i] = 100 + i;
  const auto before = ws.scanner_settings;
  ScannerOptionsForm form;
  form.Load(ws);
  form.Ok(ws);
  EXPECT_EQ(ws.scanner_settings, before);
  EXPECT_FALSE(ws.unsaved_changes);
  for (int round = 0; round < 3; ++round) {
    form.Load(ws);
    form.switch_on.fill(round % 2 == 0);
    form.bank_active[round] = false;
    form.Ok(ws);
  }
  for (int i = 14; i <= 20; ++i) EXPECT_EQ(ws.scanner_settings[i], 100 + i);
  EXPECT_EQ(ws.scanner_settings[10], 1);
  EXPECT_EQ(ws.scanner_settings[2], 0);
}

}  // namespace
}  // namespace talvirex
