#include "editor/tag_tidy.h"

#include <gtest/gtest.h>

#include "editor_fixture.h"

namespace talvirex::testing {
namespace {

TEST(TagTidy, CenteredTagPadsHalvesToEvenAndCutsAtTen) {
  struct Case {
    std::string tag;
    std::string expected;
  };
  for (const Case& c : {Case{"AB", "    AB"}, Case{"ABCDEFG", "  ABCDEFG"},
                        Case{"ABCDEFGH", " ABCDEFGH"}, Case{"ABCDEFGHIJKL", "ABCDEFGHIJ"},
                        Case{"   ", ""}, Case{"  XY  ", "    XY"}, Case{"ÄÖÜ", "    ÄÖÜ"}}) {
    EXPECT_EQ(CenteredTag(c.tag), c.expected) << c.tag;
  }
}

TEST(TagTidy, TrimmedTagKeepsBlanksOfSixteenCharacterTags) {
  struct Case {
    std::string tag;
    std::string expected;
  };
  for (const Case& c : {Case{"  AB  ", "AB"}, Case{"  ABCDEFGHIJKLMN", "  ABCDEFGHIJKLMN"},
                        Case{" ABCDEFGHIJKLMNOPQRST", " ABCDEFGHIJKLMNO"},
                        Case{"      ", ""}}) {
    EXPECT_EQ(TrimmedTag(c.tag), c.expected) << c.tag;
  }
}

TEST(TagTidy, CommandsRewriteTheCurrentBankWithUndo) {
  EditorFixture f;
  f.Store(1, "145.0000", "AB");
  f.Store(20, "146.0000", "TWELVE CHARS");
  f.Render();
  CenterTags(f.ws, f.ui);
  EXPECT_EQ(f.Stored(20, kFieldTag), "TWELVE CHA");
  EXPECT_EQ(f.Cell(1, 2), "    AB");
  EXPECT_TRUE(f.ws.unsaved_changes);
  f.Store(20, "146.0000", "  CD");
  f.Render();
  RemoveLeadingSpaces(f.ws, f.ui);
  EXPECT_EQ(f.Stored(1, kFieldTag), "AB");
  EXPECT_EQ(f.Stored(20, kFieldTag), "CD");
  f.lines.Undo();
  EXPECT_EQ(f.Stored(1, kFieldTag), "    AB");
}

TEST(TagTidy, DummyBankAndUnchangedTagsLeaveNoUnsavedChanges) {
  EditorFixture f;
  f.Store(1, "145.0000", "AB");
  f.Render();
  RemoveLeadingSpaces(f.ws, f.ui);
  EXPECT_FALSE(f.ws.unsaved_changes);
  f.ws.current_bank = kDummyBank;
  f.Store(1, "145.0000", "AB");
  f.Render();
  CenterTags(f.ws, f.ui);
  EXPECT_EQ(f.Stored(1, kFieldTag), "    AB");
  EXPECT_FALSE(f.ws.unsaved_changes);
}

TEST(TagTidy, BankEmptyReport) {
  EditorFixture f;
  ShowBankEmptyStatus(f.ws, f.ui);
  ASSERT_EQ(f.ui.shown.size(), 1u);
  EXPECT_EQ(f.ui.shown[0].text,
            "Bank Empty Status:\r\n\r\n"
            "Bank 1: Empty\r\nBank 2: Empty\r\nBank 3: Empty\r\nBank 4: Empty\r\n"
            "Bank 5: Empty\r\nBank 6: Empty\r\nBank 7: Empty\r\nBank 8: Empty\r\n"
            "Bank 9: Empty\r\nBank 10: Empty\r\nBank Dummy: Empty\r\n");
  EXPECT_EQ(f.ui.shown[0].buttons, Buttons::kOk);

  for (int bank = 0; bank <= kDummyBank; ++bank) f.ws.table.At(bank, 20, kFieldFrequency) = "1";
  f.ws.table.At(0, 20, kFieldFrequency).clear();
  f.Select(1, 1);
  f.Type("145.5");  // typed into the grid, not yet committed
  f.Enter();
  ShowBankEmptyStatus(f.ws, f.ui);
  EXPECT_EQ(f.ui.shown.back().text, "Bank Empty Status:\r\n\r\n");
  EXPECT_EQ(f.ws.status.bank_usage, "1-2-3-4-5-6-7-8-9-10-D");
}

}  // namespace
}  // namespace talvirex::testing
