#include "model/channel_table.h"

#include <gtest/gtest.h>

#include "model/numeric_value.h"
#include "workspace.h"

namespace talvirex {
namespace {

TEST(NumericValue, ReadsTheLeadingNumberLikeTheTables) {
  const std::pair<const char*, double> cases[] = {
      {"145.5", 145.5}, {"  145.5abc", 145.5}, {"Empty", 0},   {"", 0},     {" ", 0},
      {"-5", -5},       {"+3", 3},             {".5", 0.5},    {"5.", 5},   {"1.2.3", 1.2},
      {"None", 0},      {"0.0001", 0.0001},    {"-", 0},       {"12e5", 12}, {"\t5", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(NumericValue(text), value) << text;
  EXPECT_GT(NumericValue(std::string(5000, '9')), 1e300);
  EXPECT_EQ(SmallIntValue("2.5"), 2);  // halves go to even
  EXPECT_EQ(SmallIntValue("3.5"), 4);
  EXPECT_EQ(ShortestDecimal(145.12), "145.12");
  EXPECT_EQ(ShortestDecimal(118.0), "118");
}

TEST(ChannelTable, BanksAreInUseOnlyWithAFrequencyAboveZero) {
  ChannelTable table;
  for (const char* empty : {"0", "Empty", " ", "", "-5", "abc"}) {
    table.At(2, 7, kFieldFrequency) = empty;
    EXPECT_FALSE(IsBankInUse(table, 2)) << empty;
  }
  table.At(2, 20, kFieldFrequency) = "0.0001";
  EXPECT_TRUE(IsBankInUse(table, 2));
  table.At(11, 1, kFieldFrequency) = "145";
  table.At(12, 1, kFieldFrequency) = "145";
  EXPECT_FALSE(IsBankInUse(table, 11));
  EXPECT_FALSE(IsBankInUse(table, 12));
  EXPECT_FALSE(IsBankInUse(table, -1));
  EXPECT_THROW(table.At(13, 0, 0), std::out_of_range);
  EXPECT_THROW(table.At(0, 22, 0), std::out_of_range);
}

TEST(ChannelTable, SubtoneTextsAndCodes) {
  const std::pair<const char*, const char*> cases[] = {
      {"0", "None"}, {"1", "67.0"}, {"38", "250.3"}, {"39", "023"}, {"142", "754"},
      {"143", ""},   {"-1", ""},    {"None", "None"}, {"12", "100.0"}};
  for (const auto& [code, text] : cases) EXPECT_EQ(SubtoneText(code), text) << code;
  for (int code = 1; code <= kLastSubtoneCode; ++code) {
    ASSERT_EQ(SubtoneCodeOf(SubtoneText(std::to_string(code))), code);
  }
  EXPECT_EQ(SubtoneCodeOf("None"), -1);
}

// The start-up values are pinned by the channel file written at start-up.
TEST(Workspace, ClearBankEmptiesTheCurrentBankAndTheSearchRange) {
  Workspace ws;
  ws.current_bank = 10;
  ws.search_range = {"1", "2", "3"};
  ws.table.At(10, 21, kFieldFrequency) = "145";
  ClearBank(ws);
  EXPECT_EQ(ws.table.At(10, 0, kFieldFrequency), "Empty");
  EXPECT_EQ(ws.table.At(10, 20, kFieldTag), " ");
  EXPECT_EQ(ws.table.At(10, 20, kFieldSpare), " ");
  EXPECT_EQ(ws.table.At(10, 21, kFieldFrequency), "145");  // row 21 is not touched
  EXPECT_EQ(ws.search_range[0], "");
  EXPECT_EQ(ws.search_range[2], "3");
}

}  // namespace
}  // namespace talvirex
