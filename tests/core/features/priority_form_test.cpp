#include "features/priority_form.h"

#include <gtest/gtest.h>

#include "workspace.h"

namespace talvirex {
namespace {

TEST(PriorityForm, CorrectsEachBankIntoItsRange) {
  struct Case {
    int bank;
    const char* typed;
    const char* shown;
  };
  const Case cases[] = {
      {2, "5", "041"},     {2, "60", "060"},    {2, "61", "041"},   {2, "", "041"},
      {9, "201", "181"},   {0, "7", "007"},     {0, "0", "001"},    {0, "-5", "001"},
      {0, "12abc", "012"}, {0, "99999999999999999999999", "001"}, {1, "  22", "022"},
      {1, "30.4", "030"},  {1, "40.6", "021"},
  };
  for (const auto& c : cases) {
    PriorityForm form;
    form.Load(Workspace{});
    form.SetField(c.bank, c.typed);
    form.ValidateAll();
    EXPECT_EQ(form.Field(c.bank), c.shown) << "bank " << c.bank << " typed '" << c.typed << "'";
  }
}

TEST(PriorityForm, AfterNewCloseStoresEveryBanksFirstChannel) {
  Workspace ws;
  ws.priority.fill(0);
  ws.priority[10] = 77;
  PriorityForm form;
  form.Load(ws);
  EXPECT_EQ(PriorityForm::Tooltip(9), "181 - 200");
  form.Close(ws);
  for (int b = 0; b < 10; ++b) EXPECT_EQ(ws.priority[b], b * 20 + 1);
  EXPECT_EQ(ws.priority[10], 77);
  EXPECT_TRUE(ws.unsaved_changes);
}

TEST(PriorityForm, CloseStoresTheNumbersAndMarksOnlyRealChanges) {
  Workspace ws;
  PriorityForm form;
  form.Load(ws);
  form.Close(ws);
  EXPECT_FALSE(ws.unsaved_changes);

  form.Load(ws);
  form.SetField(2, "45");
  form.SetField(9, "201");
  form.Close(ws);
  EXPECT_EQ(ws.priority[2], 45);
  EXPECT_EQ(ws.priority[9], 181);
  EXPECT_TRUE(ws.unsaved_changes);
}

}  // namespace
}  // namespace talvirex
