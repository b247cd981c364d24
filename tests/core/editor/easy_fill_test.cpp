// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/easy_fill.h"

#include <gtest/gtest.h>

#include "model/channel_table.h"
#include "support/golden.h"
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

EasyFillForm Form(const char* from, const char* to, EasyFillForm::Box box,
                  const char* start = "406", const char* step = "12.5") {
  EasyFillForm form;
  form.first_channel = from;
  form.last_channel = to;
  form.start = start;
  form.step = step;
  form.boxes[box] = true;
  return form;
}

// The field of channels first..last joined by ",".
TEST(EasyFill, FrequencyTextsHoldFifteenDigitsPaddedToTenCharacters) {
  testing::ExpectTable("tables/fill_frequencies.txt", [](const std::string& mhz) {
    const std::string text = FillFrequencyText(std::strtod(mhz.c_str(), nullptr));
    return text + " " + FormatFillFrequency(text);
  });
  EXPECT_EQ(FillFrequencyText(-1.7e308).size(), 310u);
  EXPECT_EQ(FormatFillFrequency(""), "0000.00000");
  EXPECT_EQ(FormatFillFrequency(FillFrequencyText(5e-324)), "0000.00000");
}

// Which cells a fill touches, counted over the whole table, for ranges at and past its ends.
TEST(EasyFill, NeverWritesOutsideTheRangeOrTheTable) {
  testing::ExpectTable("tables/fill_ranges.txt", [](const std::string& range) {
    const auto dots = range.find(".."), blank = range.find(' ');
    Workspace ws;
    MarkAllChannels(ws);
    EasyFillForm form =
        Form(range.substr(0, dots).c_str(), range.substr(dots + 2, blank - dots - 2).c_str(),
             EasyFillForm::kFrequency, "145",
             blank == std::string::npos ? "" : range.substr(blank + 1).c_str());
    form.Apply(ws);
    EXPECT_FALSE(form.apply_enabled);
    return form.first_channel + ".." + form.last_channel + " " + form.step + ", " +
           std::to_string(ChangedCells(ws)) + " written";
  });
}

// The rest of Easy Fill runs in the editor sessions (tests/data/editor/dialogs.txt).
TEST(EasyFill, CountersCaptionsAndSubtones) {
  EasyFillForm form;
  form.tag = "Ab\xC3\xA9";  // an accented letter counts as one character
  EXPECT_EQ(form.TagCounter(), 3);
  EXPECT_TRUE(EasyFillForm::BoxCaption(7).empty() && EasyFillForm::BoxCaption(-1).empty());
  const std::vector<std::string> subtones =
      EasyFillForm::SubtoneItems();  // every CTCSS tone, then DCS
  EXPECT_EQ(subtones.size(), 142u);
  EXPECT_EQ(subtones[37] + " " + subtones[38], "250.3 023");
}

}  // namespace
}  // namespace talvirex
