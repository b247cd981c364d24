#include "editor/find_replace_form.h"

#include <gtest/gtest.h>

#include "model/channel_table.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

class FindTest : public ::testing::Test {
 protected:
  FindTest() {
    ws.table.At(0, 3, kFieldFrequency) = "145.5000";
    ws.table.At(0, 5, kFieldFrequency) = "145.6000";
    ws.table.At(0, 20, kFieldTag) = "Tower";
    ws.table.At(1, 1, kFieldTag) = "Tower";
    ws.table.At(kDummyBank, 1, kFieldFrequency) = "999.0000";
  }
  Workspace ws;
  FindForm form;
};

TEST_F(FindTest, ReportsTheFirstMatchOfEachSearch) {
  struct Case {
    FindForm::SearchField field;
    SearchScope scope;
    int current_bank;
    std::string text;
    std::string channel;
    std::string bank;
  };
  const Case cases[] = {
      {FindForm::kFrequency, SearchScope::kCurrentBank, 0, "145", "3", "1"},
      {FindForm::kFrequency, SearchScope::kCurrentBank, 0, "6000", "5", "1"},
      {FindForm::kComments, SearchScope::kAllBanks, 3, "Tow", "20", "1"},
      {FindForm::kComments, SearchScope::kCurrentBank, 0, "Tow", "20", "1"},
      {FindForm::kComments, SearchScope::kCurrentBank, 1, "Tow", "21", "2"},
      {FindForm::kComments, SearchScope::kAllBanks, 0, "tower", "", ""},   // case-sensitive
      {FindForm::kFrequency, SearchScope::kAllBanks, 0, "999", "", ""},    // no Dummy bank
      {FindForm::kFrequency, SearchScope::kCurrentBank, kDummyBank, "999", "201", "11"},
  };
  for (const Case& c : cases) {
    ws.current_bank = c.current_bank;
    form.Open(ws);
    form.SetField(c.field);
    form.SetScope(c.scope);
    form.text = c.text;
    EXPECT_EQ(form.Find(), !c.channel.empty()) << c.text;
    EXPECT_EQ(form.channel_label(), c.channel) << c.text;
    EXPECT_EQ(form.bank_label(), c.bank) << c.text;
  }
}

TEST_F(FindTest, OptionsAreStoredAtOnceAndRestoredOnOpening) {
  form.Open(ws);
  EXPECT_EQ(form.field(), FindForm::kFrequency);
  form.SetField(FindForm::kComments);
  form.SetScope(SearchScope::kAllBanks);
  EXPECT_TRUE(ws.settings.find_in_tags);
  EXPECT_TRUE(ws.settings.find_in_all_banks);
  FindForm again;
  again.Open(ws);
  EXPECT_EQ(again.field(), FindForm::kComments);
  EXPECT_EQ(again.scope(), SearchScope::kAllBanks);
}

TEST_F(FindTest, EmptyTextKeepsTheLabelsAndAMissClearsThem) {
  form.Open(ws);
  form.text = "145";
  ASSERT_TRUE(form.Find());
  form.text.clear();
  EXPECT_FALSE(form.Find());
  EXPECT_EQ(form.channel_label(), "3");
  form.text = "777";
  EXPECT_FALSE(form.Find());
  EXPECT_EQ(form.channel_label(), "");
}

TEST(ReplacedTag, FirstOccurrenceOnlyAndCutToSixteen) {
  struct Case {
    std::string tag, find, replacement, expected;
  };
  for (const Case& c : {Case{"AAA", "A", "B", "BAA"}, Case{"BAA", "A", "B", "BBA"},
                        Case{"XY", "X", "0123456789ABCDEF", "0123456789ABCDEF"},
                        Case{"", "A", "B", ""}, Case{"ABC", "", "Z", "ABC"},
                        Case{"abc", "A", "Z", "abc"}, Case{"Tower 1", "ower", "", "T 1"},
                        Case{"Tower", "T", "\tP", " Power"}}) {
    EXPECT_EQ(ReplacedTag(c.tag, c.find, c.replacement), c.expected) << c.tag;
  }
}

TEST(ReplaceForm, ScopesAndTheDummyBank) {
  Workspace ws;
  for (int bank = 0; bank <= kDummyBank; ++bank) ws.table.At(bank, 20, kFieldTag) = "Old";
  ReplaceForm form;
  form.Open(ws);
  form.find_text = "Old";
  form.replace_text = "New";
  ws.current_bank = kDummyBank;
  EXPECT_EQ(form.Apply(), 1);  // the Dummy bank when it is current ...
  EXPECT_FALSE(ws.unsaved_changes);
  EXPECT_EQ(ws.table.At(kDummyBank, 20, kFieldTag), "New");
  ws.table.At(kDummyBank, 20, kFieldTag) = "Old";
  form.scope = SearchScope::kAllBanks;
  EXPECT_EQ(form.Apply(), 10);  // ... never with All Banks
  EXPECT_EQ(ws.table.At(kDummyBank, 20, kFieldTag), "Old");
  EXPECT_EQ(ws.table.At(9, 20, kFieldTag), "New");
  EXPECT_TRUE(ws.unsaved_changes);
  form.find_text.clear();
  EXPECT_EQ(form.Apply(), 0);
}

}  // namespace
}  // namespace talvirex::testing
