#include "editor/duplicates.h"

#include <gtest/gtest.h>

#include "editor_fixture.h"
#include "support/temp_dir.h"

namespace talvirex::testing {
namespace {

std::string ReportText(const TempDir& dir) {
  return ReadBytes(dir.path() / "dupl.txt");
}

class DuplicatesTest : public ::testing::Test {
 protected:
  TempDir dir;
  EditorFixture f;
};

TEST_F(DuplicatesTest, CurrentBankReportsPairsWithChannelNumbers) {
  f.ws.current_bank = 1;
  f.Store(3, "145.5000");
  f.Store(5, "145.6000");
  f.Store(20, "145.5000");
  f.Render();
  EXPECT_EQ(FindDuplicates(f.ws, f.ui, DuplicateSearch::kCurrentBank, dir.path()), 1);
  ASSERT_EQ(f.ui.shown.size(), 1u);
  const std::string expected = "Duplicate Channel Found: 23 and 40 / Frequency: 145.5000";
  EXPECT_EQ(f.ui.shown[0].text, expected);
  EXPECT_EQ(f.ui.shown[0].buttons, Buttons::kOkCancel);
  EXPECT_EQ(f.ui.shown[0].icon, Icon::kInformation);
  EXPECT_EQ(ReportText(dir), expected + "\r\n");
}

TEST_F(DuplicatesTest, ThreeEqualFrequenciesGiveThreeReportsAndCancelStops) {
  for (int row = 1; row <= 3; ++row) f.Store(row, "145.5000");
  f.Render();
  f.ui.answers = {Answer::kOk, Answer::kOk, Answer::kOk};
  EXPECT_EQ(FindDuplicates(f.ws, f.ui, DuplicateSearch::kCurrentBank, dir.path()), 3);
  EXPECT_EQ(f.ui.Texts().size(), 3u);
  EXPECT_EQ(ReportText(dir),
            "Duplicate Channel Found: 1 and 2 / Frequency: 145.5000\r\n"
            "Duplicate Channel Found: 1 and 3 / Frequency: 145.5000\r\n"
            "Duplicate Channel Found: 2 and 3 / Frequency: 145.5000\r\n");

  f.ui.shown.clear();
  f.ui.answers = {Answer::kCancel};
  EXPECT_EQ(FindDuplicates(f.ws, f.ui, DuplicateSearch::kCurrentBank, dir.path()), 1);
  EXPECT_EQ(ReportText(dir), "Duplicate Channel Found: 1 and 2 / Frequency: 145.5000\r\n");
}

TEST_F(DuplicatesTest, AllBanksCompareTextsAndSkipTheDummyBank) {
  f.ws.table.At(0, 2, kFieldFrequency) = "145.5000";
  f.ws.table.At(4, 1, kFieldFrequency) = "145.5000";
  f.ws.table.At(5, 1, kFieldFrequency) = "145.5";       // same value, other text
  f.ws.table.At(kDummyBank, 1, kFieldFrequency) = "145.5000";
  f.Render();
  f.ui.answers = {Answer::kOk, Answer::kOk};
  EXPECT_EQ(FindDuplicates(f.ws, f.ui, DuplicateSearch::kAllBanks, dir.path()), 1);
  EXPECT_EQ(f.ui.Texts(), (std::vector<std::string>{
                              "Duplicate Channel Found: 2 and 81 / Frequency: 145.5000"}));
}

TEST_F(DuplicatesTest, NothingFoundShowsNothingAndEmptiesAnOldReport) {
  WriteBytes(dir.path() / "dupl.txt", "old line\r\n");
  f.Store(1, "145.5000");
  f.Render();
  EXPECT_EQ(FindDuplicates(f.ws, f.ui, DuplicateSearch::kAllBanks, dir.path()), 0);
  EXPECT_TRUE(f.ui.shown.empty());
  EXPECT_EQ(ReportText(dir), "");
}

TEST_F(DuplicatesTest, UnwritableReportStillShowsTheMessages) {
  f.Store(1, "145.5000");
  f.Store(2, "145.5000");
  f.Render();
  EXPECT_EQ(FindDuplicates(f.ws, f.ui, DuplicateSearch::kCurrentBank, dir.path() / "missing"), 1);
  EXPECT_EQ(f.ui.shown.size(), 1u);
}

TEST_F(DuplicatesTest, IncludingSubtoneNeedsTheSameCode) {
  auto put = [&](int bank, int row, std::string code) {
    f.ws.table.At(bank, row, kFieldFrequency) = "162.4000";
    f.ws.table.At(bank, row, kFieldSubtone) = std::move(code);
  };
  put(0, 1, "5");
  put(0, 2, "6");
  put(2, 1, "5");
  put(3, 1, "");   // none ...
  put(3, 2, "0");  // ... and none again
  f.ws.current_bank = 9;
  f.Render();
  f.ui.answers = {Answer::kOk, Answer::kOk, Answer::kOk};
  EXPECT_EQ(FindDuplicates(f.ws, f.ui, DuplicateSearch::kWithSubtone, dir.path()), 2);
  EXPECT_EQ(f.ui.Texts(), (std::vector<std::string>{
                              "Duplicate Channel Found: 1 and 41 / Frequency: 162.4000",
                              "Duplicate Channel Found: 61 and 62 / Frequency: 162.4000"}));
}

TEST_F(DuplicatesTest, RemoveKeepsTheFirstOfEachGroup) {
  for (int row = 1; row <= 3; ++row) f.Store(row, "145.5000", "T" + std::to_string(row));
  f.Store(5, "440.0000", "U");
  f.Store(20, "440.0000", "V");
  f.Render();
  EXPECT_EQ(RemoveDuplicates(f.ws, f.ui), 3);
  std::string frequencies;
  for (int row : {1, 2, 3, 5, 20}) frequencies += f.Stored(row, kFieldFrequency) + "|";
  EXPECT_EQ(frequencies, "145.5000|||440.0000||");
  EXPECT_EQ(f.Stored(3, kFieldTag), "T3");  // other fields stay in the table ...
  EXPECT_EQ(f.Cell(3, 2), "");              // ... and are shown blank
  EXPECT_TRUE(f.ws.unsaved_changes);
  EXPECT_TRUE(f.ui.shown.empty());
  f.lines.Undo();
  EXPECT_EQ(f.Stored(3, kFieldFrequency), "145.5000");
}

}  // namespace
}  // namespace talvirex::testing
