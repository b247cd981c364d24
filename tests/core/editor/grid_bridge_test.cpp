#include "editor/grid_bridge.h"

#include <gtest/gtest.h>

#include "editor_fixture.h"
#include "model/shown_text.h"

namespace talvirex::testing {
namespace {

TEST(BankUsageSummary, MarksEveryBankInUse) {
  Workspace ws;
  EXPECT_EQ(BankUsageSummary(ws.table), "--------------------- ");
  ws.table.At(0, 1, kFieldFrequency) = "145.5";
  ws.table.At(2, 20, kFieldFrequency) = "0.0001";
  ws.table.At(9, 7, kFieldFrequency) = "146";
  ws.table.At(kDummyBank, 3, kFieldFrequency) = "147";
  ws.table.At(4, 3, kFieldFrequency) = "-5";      // not in use
  ws.table.At(11, 3, kFieldFrequency) = "145.5";  // no bank
  EXPECT_EQ(BankUsageSummary(ws.table), "1---3-------------10-D");
}

class RenderBankTest : public ::testing::Test, public EditorFixture {};

TEST_F(RenderBankTest, RefreshesSummaryAndTagDropdowns) {
  ws.settings.easy_tag_lists = true;
  ws.current_bank = 3;
  Store(2, "145.5", "  Tower");
  Store(5, "146.5", "Tower");
  Store(6, "147.5", "Ground");
  Render();
  EXPECT_EQ(ws.status.bank_usage, "------4-------------- ");
  EXPECT_EQ(ws.tag_dropdowns.easy_tags, (std::vector<std::string>{"", "Tower", "Ground"}));
  EXPECT_EQ(ws.tag_dropdowns.bank_tags[3], (std::vector<std::string>{"", "Tower", "Ground"}));
  EXPECT_EQ(ws.tag_dropdowns.bank_tags[0], (std::vector<std::string>{""}));
  EXPECT_EQ(Cell(2, 2), "  Tower");  // the shown tag keeps its blanks
}

TEST_F(RenderBankTest, DropdownsStayAsTheyAreWithEasyTagsOff) {
  Store(1, "145.5", "Tower");
  Render();
  EXPECT_TRUE(ws.tag_dropdowns.easy_tags.empty());
}

TEST_F(RenderBankTest, FullTagListsFillToTheirLastSlot) {
  ws.settings.easy_tag_lists = true;
  for (int i = 0; i < 300; ++i) {
    std::string tag = "T" + std::to_string(i);
    RecordTag(ws.tags, tag, 0, true);
  }
  Render();
  EXPECT_EQ(ws.tag_dropdowns.easy_tags.size(), 211u);
  EXPECT_EQ(ws.tag_dropdowns.bank_tags[0].size(), 102u);  // a full bank list reuses slot 101
  EXPECT_EQ(ws.tag_dropdowns.bank_tags[0][101], "T299");
}

// The command line leaves a bank as showing it and committing it leave it, without a grid.
TEST(SettleBank, LeavesTheTableAsARedrawAndACommitDo) {
  const std::vector<std::vector<std::string>> rows = {
      {"146.52", "  Tower", "1", "0", "5", "1", "0"},
      {"1400", "Far", "0", "1", "49", "0", "1"},
      {"0", "Unused", "1", "1", "7", "1", "1"},
      {"", "", "", "", "", "", ""},
      {" 0012.5", " ", "x", "On", "999", "2", "Off"},
      {"108.0001", "Air", "0", "0", "0", "0", "0"},
  };
  for (const int zero : {0, 1}) {
    for (const int easy_tags : {0, 1}) {
      Workspace shown;
      shown.current_bank = 4;
      shown.settings.hide_leading_zeros = zero;
      shown.settings.easy_tag_lists = easy_tags;
      for (std::size_t i = 0; i < rows.size(); ++i) {
        for (int field = 1; field <= 7; ++field) {
          shown.table.At(4, static_cast<int>(i) + 1, field) = rows[i][field - 1];
        }
      }
      ChannelTable settled = shown.table;
      SilentUi ui;
      RenderBank(shown, ui);
      CommitBank(shown, ui);
      SettleBank(settled, 4, zero, easy_tags == 1);
      for (int row = 1; row <= kChannelsPerBank; ++row) {
        for (int field = 0; field < kFields; ++field) {
          EXPECT_EQ(settled.At(4, row, field), shown.table.At(4, row, field))
              << "zero " << zero << ", easy tags " << easy_tags << ", row " << row << ", field "
              << field;
        }
      }
    }
  }
}

}  // namespace
}  // namespace talvirex::testing
