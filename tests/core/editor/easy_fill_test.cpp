#include "editor/easy_fill.h"

#include <gtest/gtest.h>

#include "model/channel_table.h"
#include "workspace.h"

namespace talvirex {
namespace {

// Marks every cell of every slot so that a test can count the cells a fill touched.
void MarkAllChannels(Workspace& ws) {
  for (int bank = 0; bank < kBankSlots; ++bank) {
    for (int row = 0; row < kRows; ++row) {
      for (int field = 0; field < kFields; ++field) ws.table.At(bank, row, field) = "x";
    }
  }
}

int ChangedCells(const Workspace& ws) {
  int changed = 0;
  for (int bank = 0; bank < kBankSlots; ++bank) {
    for (int row = 0; row < kRows; ++row) {
      for (int field = 0; field < kFields; ++field) changed += ws.table.At(bank, row, field) != "x";
    }
  }
  return changed;
}

EasyFillForm Form(const char* from, const char* to, EasyFillForm::Box box, const char* start = "406",
                  const char* step = "12.5") {
  EasyFillForm form;
  form.first_channel = from;
  form.last_channel = to;
  form.start = start;
  form.step = step;
  form.boxes[box] = true;
  return form;
}

// The field of channels first..last joined by ",".
std::string Channels(const Workspace& ws, int first, int last, int field) {
  std::string text;
  for (int n = first; n <= last; ++n) text += (n > first ? "," : "") + ws.table.At(BankOf(n), RowOf(n), field);
  return text;
}

TEST(EasyFill, FrequencyTextsHoldFifteenDigitsPaddedToTenCharacters) {
  const std::pair<double, const char*> texts[] = {
      {118.02499999999998, "118.025"}, {118.00833333333333, "118.008333333333"}, {-5, "-5"},
      {1e20, "100000000000000000000"},  {1.0 / 0.0, "0"},                       {0.0, "0"}};
  for (const auto& [mhz, text] : texts) EXPECT_EQ(FillFrequencyText(mhz), text) << mhz;
  EXPECT_EQ(FillFrequencyText(-1.7e308).size(), 310u);
  const std::pair<const char*, const char*> padded[] = {
      {"406", "0406.00000"},  {"118.008333333333", "0118.00833"}, {"0.5", "0000.50000"},
      {"12345.678", "12345.6780"}, {"-5", "00-5.00000"},          {"", "0000.00000"}};
  for (const auto& [input, expected] : padded) EXPECT_EQ(FormatFillFrequency(input), expected);
  EXPECT_EQ(FormatFillFrequency(FillFrequencyText(5e-324)), "0000.00000");
}

TEST(EasyFill, FrequencySeriesWithinTheCorrectedRange) {
  const struct {
    const char *from, *to, *start, *step;
    int first, last;    // the channels read back
    const char* shown;  // their frequencies
  } cases[] = {
      {"21", "23", "145.5", "12.5", 20, 24, ",0145.50000,0145.51250,0145.52500,"},
      {"27", "25", "145.5", "12.5", 24, 28, ",0145.50000,0145.51250,0145.52500,"},  // reversed
      {"1", "4", "118", "8.33", 1, 5, "0118.00000,0118.00833,0118.01666,0118.02500,"},
      {"5", "6", "0406.0000", "0", 4, 7, ",0406.00000,0406.00500,"},     // step 0 -> 5
      {"5", "6", "406", "1000000000", 4, 7, ",0406.00000,0416.00000,"},  // 1e9 -> 10000
      {"5", "6", "406", "1e9", 4, 7, ",0406.00000,0406.00500,"},         // reads as 1 -> 5
      {"5", "6", "abc", "12.5", 4, 7, ",0000.00000,0000.01250,"},        // not a number
      {"5", "5", "-12", "12.5", 4, 6, ",0-12.00000,"},
  };
  for (const auto& c : cases) {
    Workspace ws;
    EasyFillForm form = Form(c.from, c.to, EasyFillForm::kFrequency, c.start, c.step);
    form.Apply(ws);
    EXPECT_EQ(Channels(ws, c.first, c.last, kFieldFrequency), c.shown) << c.from << ".." << c.to;
  }
}

TEST(EasyFill, CorrectsTheEntriesShownAndNeverWritesOutsideTheRangeOrTheTable) {
  const struct {
    const char *from, *to, *step, *shown;
    int cells;  // channels written
  } cases[] = {
      {"30", "25", "12.5", "25..30/12.5", 6}, {"0", "5", "0", "1..5/5", 5},
      {"", "", "", "1../5", 0},               {"-7", "3", "20000", "1..3/10000", 3},
      {"3", "99999", "12.5", "3..1100/12.5", 258}, {"21", "abc", "12.5", "1..21/12.5", 21},
      {"01", "2", "12.5", "01..2/12.5", 2},   {"261", "261", "12.5", "261..261/12.5", 0},
      {"250", "99999", "12.5", "250..1100/12.5", 11},
  };
  for (const auto& c : cases) {
    Workspace ws;
    MarkAllChannels(ws);
    EasyFillForm form = Form(c.from, c.to, EasyFillForm::kFrequency, "145", c.step);
    form.Apply(ws);
    EXPECT_EQ(form.first_channel + ".." + form.last_channel + "/" + form.step, c.shown) << c.from << ".." << c.to;
    EXPECT_EQ(ChangedCells(ws), c.cells) << c.from << ".." << c.to;
    EXPECT_FALSE(form.apply_enabled);
  }
}

TEST(EasyFill, WritesOnlyTheTickedFieldsAndValidSwitches) {
  Workspace ws;
  MarkAllChannels(ws);
  EasyFillForm form = Form("41", "42", EasyFillForm::kDelay);
  form.boxes[EasyFillForm::kAtt] = true;
  form.boxes[EasyFillForm::kSubtone] = true;
  form.boxes[EasyFillForm::kLockOut] = true;
  form.switches[EasyFillForm::kDelaySwitch] = 1;
  form.switches[EasyFillForm::kLockOutSwitch] = 2;    // neither Off nor On: not written
  form.switches[EasyFillForm::kBeepAlertSwitch] = 1;  // box not ticked: not written
  form.subtone = 38;                                  // the first DCS code, "023"
  form.Apply(ws);
  EXPECT_EQ(Channels(ws, 41, 42, kFieldDelay) + "|" + Channels(ws, 41, 42, kFieldAtt) + "|" +
                Channels(ws, 41, 42, kFieldSubtone),
            "1,1|0,0|39,39");
  EXPECT_EQ(ChangedCells(ws), 6);
  EXPECT_EQ(EasyFillForm::SubtoneItems()[38], "023");
  EXPECT_EQ(EasyFillForm::SubtoneItems()[37], "250.3");
  for (const auto& [subtone, code] : {std::pair{0, "1"}, {-1, ""}, {141, "142"}, {142, ""}}) {
    Workspace fresh;
    EasyFillForm tone = Form("1", "1", EasyFillForm::kSubtone);
    tone.subtone = subtone;
    tone.Apply(fresh);
    EXPECT_EQ(fresh.table.At(0, 1, kFieldSubtone), code) << subtone;
  }
}

TEST(EasyFill, TagsAlikeOrInASeries) {
  const struct {
    const char* tag;
    bool series;
    const char* expected;
  } cases[] = {
      {"Fire 9", true, "Fire 9,Fire 10,Fire 11"},   {"CH07", true, "CH7,CH8,CH9"},
      {"A1234567", true, "A1234567,A1234568,A1234569"},  // six digits count
      {"999999", true, "999999,1000000,1000001"},   {"12", true, "12,13,14"},
      {"Fire 9", false, "Fire 9,Fire 9,Fire 9"},    {"Tower", true, "Tower,Tower,Tower"},
      {"ABCDEFGHIJKLMNOPQRST", false, "ABCDEFGHIJKLMNOP,ABCDEFGHIJKLMNOP,ABCDEFGHIJKLMNOP"},
  };
  for (const auto& c : cases) {
    Workspace ws;
    EasyFillForm form = Form("3", "5", EasyFillForm::kTag);
    form.tag = c.tag;
    form.fill_series = c.series;
    form.Apply(ws);
    EXPECT_EQ(Channels(ws, 3, 5, kFieldTag), c.expected) << c.tag;
    EXPECT_EQ(Channels(ws, 2, 2, kFieldTag) + Channels(ws, 6, 6, kFieldTag), "");
  }
}

TEST(EasyFill, OpensOnTheSelectedRowsOrTheWholeBank) {
  const struct {
    int bank, row, last_row;
    const char* range;
  } cases[] = {{1, 7, 3, "27..23"}, {1, 5, 5, "21..40"}, {10, 4, 4, "201..220"}, {12, 0, 30, "201..220"}};
  for (const auto& c : cases) {
    Workspace ws;
    ws.current_bank = c.bank;
    ws.grid.current = {c.row, 2};
    ws.grid.selection_end = {c.last_row, 2};
    EasyFillForm form;
    form.Open(ws);
    EXPECT_EQ(form.first_channel + ".." + form.last_channel + " " + form.start + " " + form.step,
              std::string(c.range) + " 0406.0000 12.5");
  }
}

TEST(EasyFill, OnlyARealChangeOutsideTheDummyBankIsUnsaved) {
  Workspace ws;
  ws.current_bank = kDummyBank;
  EasyFillForm form;
  form.Open(ws);
  form.boxes[EasyFillForm::kFrequency] = true;
  form.Apply(ws);
  EXPECT_EQ(ws.table.At(kDummyBank, 20, kFieldFrequency), "0406.23750");
  EXPECT_FALSE(ws.unsaved_changes);
  form.AllChannels();
  form.Apply(ws);
  EXPECT_TRUE(ws.unsaved_changes);
  ws.unsaved_changes = false;
  form.Ok(ws);  // the same values again
  EXPECT_FALSE(ws.unsaved_changes);
}

TEST(EasyFill, ButtonsCountersAndKeyFilters) {
  Workspace ws;
  ws.current_bank = 3;
  EasyFillForm form;
  form.Open(ws);
  form.AllChannels();
  EXPECT_EQ(form.first_channel + ".." + form.last_channel, "1..200");
  form.Default();
  EXPECT_EQ(form.first_channel + ".." + form.last_channel, "61..80");
  for (const bool select : {true, false}) {  // every box but ATT's
    form.boxes[EasyFillForm::kAtt] = !select;
    form.ToggleSelectAll();
    EXPECT_EQ(form.SelectAllButtonCaption(), select ? "Unselect All" : "Select All");
    for (int box = 0; box < EasyFillForm::kBoxCount; ++box) {
      EXPECT_EQ(form.boxes[box], box == EasyFillForm::kAtt ? !select : select) << box;
    }
  }
  form.tag = "Ab\xC3\xA9";  // an accented letter counts as one character
  EXPECT_EQ(form.TagCounter(), 3);
  EXPECT_TRUE(EasyFillForm::BoxCaption(7).empty() && EasyFillForm::BoxCaption(-1).empty());
  const std::u32string keys = U"059\b\t-.e/ z\"\u00e9";
  std::string accepted;
  for (const char32_t key : keys) {
    accepted += std::string(EasyFillForm::AcceptsChannelKey(key) ? "C" : "-") +
                (EasyFillForm::AcceptsNumberKey(key) ? "N" : "-") + (EasyFillForm::AcceptsTagKey(key) ? "T" : "-") + " ";
  }
  EXPECT_EQ(accepted, "CNT CNT CNT CNT -N- -NT -NT --T --T --T --T --- --- ");
}

}  // namespace
}  // namespace talvirex
