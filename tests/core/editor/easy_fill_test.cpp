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

EasyFillForm FrequencyForm(const char* from, const char* to, const char* start, const char* step) {
  EasyFillForm form;
  form.first_channel = from;
  form.last_channel = to;
  form.start = start;
  form.step = step;
  form.boxes[EasyFillForm::kFrequency] = true;
  return form;
}

const std::string& Frequency(const Workspace& ws, int n) {
  return ws.table.At(BankOf(n), RowOf(n), kFieldFrequency);
}

TEST(FormatFillFrequency, PadsToTenCharactersWithThePointAtFive) {
  const std::pair<const char*, const char*> cases[] = {
      {"406", "0406.00000"}, {"118.008333333333", "0118.00833"}, {"0.5", "0000.50000"},
      {"12345.678", "12345.6780"}, {"-5", "00-5.00000"}, {"", "0000.00000"},
  };
  for (const auto& [input, expected] : cases) EXPECT_EQ(FormatFillFrequency(input), expected);
}

TEST(FillFrequencyText, KeepsFifteenSignificantDigitsAndSurvivesExtremes) {
  EXPECT_EQ(FillFrequencyText(118.02499999999998), "118.025");
  EXPECT_EQ(FillFrequencyText(118.00833333333333), "118.008333333333");
  EXPECT_EQ(FillFrequencyText(-5), "-5");
  EXPECT_EQ(FillFrequencyText(1e20), "100000000000000000000");
  EXPECT_EQ(FillFrequencyText(1.0 / 0.0), "0");
  EXPECT_EQ(FormatFillFrequency(FillFrequencyText(5e-324)), "0000.00000");
  EXPECT_EQ(FillFrequencyText(-1.7e308).size(), 310u);
}

TEST(EasyFill, WorkedFrequencySeries) {
  struct Case {
    const char *from, *to, *start, *step;
    int first_channel;
    std::vector<const char*> expected;
  };
  const Case cases[] = {
      {"21", "23", "145.5", "12.5", 21, {"0145.50000", "0145.51250", "0145.52500"}},
      {"27", "25", "145.5", "12.5", 25, {"0145.50000", "0145.51250", "0145.52500"}},  // reversed
      {"1", "4", "118", "8.33", 1, {"0118.00000", "0118.00833", "0118.01666", "0118.02500"}},
      {"5", "6", "0406.0000", "0", 5, {"0406.00000", "0406.00500"}},     // step 0 -> 5
      {"5", "6", "406", "1000000000", 5, {"0406.00000", "0416.00000"}},  // 1e9 -> 10000
      {"5", "6", "406", "1e9", 5, {"0406.00000", "0406.00500"}},         // reads as 1 -> 5
      {"5", "6", "abc", "12.5", 5, {"0000.00000", "0000.01250"}},        // not a number
      {"5", "5", "-12", "12.5", 5, {"0-12.00000"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.from) + ".." + c.to + " step " + c.step);
    Workspace ws;
    EasyFillForm form = FrequencyForm(c.from, c.to, c.start, c.step);
    form.Apply(ws);
    const int end = c.first_channel + static_cast<int>(c.expected.size());
    for (int n = c.first_channel; n < end; ++n) {
      EXPECT_EQ(Frequency(ws, n), c.expected[n - c.first_channel]) << n;
    }
    EXPECT_EQ(Frequency(ws, end), "");
    EXPECT_EQ(Frequency(ws, c.first_channel - 1), "");
  }
}

TEST(EasyFill, CorrectsTheEntriesShownInTheForm) {
  struct Case {
    const char *from, *to, *step, *want_from, *want_to, *want_step;
  };
  const Case cases[] = {
      {"30", "25", "12.5", "25", "30", "12.5"},     {"0", "5", "0", "1", "5", "5"},
      {"", "", "", "1", "", "5"},                   {"-7", "3", "20000", "1", "3", "10000"},
      {"3", "99999", "12.5", "3", "1100", "12.5"},  {"21", "abc", "12.5", "1", "21", "12.5"},
  };
  for (const auto& c : cases) {
    Workspace ws;
    EasyFillForm form = FrequencyForm(c.from, c.to, "406", c.step);
    form.Apply(ws);
    EXPECT_EQ(form.first_channel + ".." + form.last_channel + "/" + form.step,
              std::string(c.want_from) + ".." + c.want_to + "/" + c.want_step)
        << c.from << ".." << c.to << "/" << c.step;
  }
}

TEST(EasyFill, NeverWritesOutsideTheRangeOrTheTable) {
  struct Case {
    const char *from, *to;
    int cells;  // channels written, one field each
  };
  const Case cases[] = {
      {"261", "261", 0}, {"-5", "2", 2}, {"250", "99999", 11}, {"1", "1100", 260},
  };
  for (const auto& c : cases) {
    Workspace ws;
    MarkAllChannels(ws);
    EasyFillForm form = FrequencyForm(c.from, c.to, "145", "12.5");
    form.Apply(ws);
    EXPECT_EQ(ChangedCells(ws), c.cells) << c.from << ".." << c.to;
  }
}

TEST(EasyFill, WritesOnlyTheTickedFields) {
  Workspace ws;
  MarkAllChannels(ws);
  EasyFillForm form;
  form.first_channel = "41";
  form.last_channel = "42";
  form.boxes[EasyFillForm::kDelay] = true;
  form.boxes[EasyFillForm::kAtt] = true;
  form.boxes[EasyFillForm::kSubtone] = true;
  form.switches[EasyFillForm::kDelaySwitch] = 1;
  form.switches[EasyFillForm::kBeepAlertSwitch] = 1;  // box not ticked: not written
  form.subtone = 38;                                  // the first DCS code, "023"
  form.Apply(ws);
  for (const int row : {1, 2}) {
    EXPECT_EQ(ws.table.At(2, row, kFieldDelay), "1");
    EXPECT_EQ(ws.table.At(2, row, kFieldAtt), "0");
    EXPECT_EQ(ws.table.At(2, row, kFieldSubtone), "39");
  }
  EXPECT_EQ(ChangedCells(ws), 6);
  EXPECT_EQ(EasyFillForm::SubtoneItems()[38], "023");
}

TEST(EasyFill, Tags) {
  struct Case {
    const char* tag;
    bool series;
    std::array<const char*, 3> expected;
  };
  const Case cases[] = {
      {"Fire 9", true, {"Fire 9", "Fire 10", "Fire 11"}},
      {"CH07", true, {"CH7", "CH8", "CH9"}},
      {"A1234567", true, {"A1234567", "A1234568", "A1234569"}},  // six digits count
      {"999999", true, {"999999", "1000000", "1000001"}},
      {"Fire 9", false, {"Fire 9", "Fire 9", "Fire 9"}},
      {"ABCDEFGHIJKLMNOPQRST", false, {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP"}},
  };
  for (const auto& c : cases) {
    Workspace ws;
    EasyFillForm form;
    form.first_channel = "3";
    form.last_channel = "5";
    form.tag = c.tag;
    form.fill_series = c.series;
    form.boxes[EasyFillForm::kTag] = true;
    form.Apply(ws);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(ws.table.At(0, 3 + k, kFieldTag), c.expected[k]) << c.tag;
  }
}

TEST(EasyFill, OpensOnTheSelectedRowsOrTheWholeBank) {
  struct Case {
    int bank, row, last_row;
    const char *from, *to;
  };
  const Case cases[] = {
      {1, 7, 3, "27", "23"}, {1, 5, 5, "21", "40"}, {10, 4, 4, "201", "220"},
  };
  for (const auto& c : cases) {
    Workspace ws;
    ws.current_bank = c.bank;
    ws.grid.current = {c.row, 2};
    ws.grid.selection_end = {c.last_row, 2};
    EasyFillForm form;
    form.Open(ws);
    EXPECT_EQ(form.first_channel + ".." + form.last_channel, std::string(c.from) + ".." + c.to);
    EXPECT_EQ(form.start, "0406.0000");
    EXPECT_EQ(form.step, "12.5");
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

TEST(EasyFill, ButtonsAndKeyFilters) {
  Workspace ws;
  ws.current_bank = 3;
  EasyFillForm form;
  form.Open(ws);
  form.AllChannels();
  EXPECT_EQ(form.first_channel + ".." + form.last_channel, "1..200");
  form.Default();
  EXPECT_EQ(form.first_channel + ".." + form.last_channel, "61..80");

  EXPECT_EQ(form.SelectAllButtonCaption(), "Select All");
  form.ToggleSelectAll();
  EXPECT_EQ(form.SelectAllButtonCaption(), "Unselect All");
  for (int box = 0; box < EasyFillForm::kBoxCount; ++box) {
    EXPECT_EQ(form.boxes[box], box != EasyFillForm::kAtt) << box;
  }
  form.boxes[EasyFillForm::kAtt] = true;
  form.ToggleSelectAll();
  EXPECT_EQ(form.SelectAllButtonCaption(), "Select All");
  for (int box = 0; box < EasyFillForm::kBoxCount; ++box) {
    EXPECT_EQ(form.boxes[box], box == EasyFillForm::kAtt) << box;
  }

  form.tag = "Ab\xC3\xA9";  // an accented letter counts as one character
  EXPECT_EQ(form.TagCounter(), 3);

  EXPECT_FALSE(EasyFillForm::AcceptsChannelKey(U'-') || EasyFillForm::AcceptsNumberKey(U'e'));
  EXPECT_FALSE(EasyFillForm::AcceptsTagKey(U'"') || EasyFillForm::AcceptsTagKey(U'\u00e9'));
  EXPECT_TRUE(EasyFillForm::AcceptsTagKey(U'0') && EasyFillForm::AcceptsTagKey(U'z'));
}

}  // namespace
}  // namespace talvirex
