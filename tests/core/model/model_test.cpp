// SPDX-License-Identifier: GPL-3.0-or-later
// The channel model: numbers read from texts (the short-text path bit for bit like the general
// parser), frequencies corrected and formatted, subtone codes, banks in use, the normalizing a
// save does and the default line data's form.

#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <string>

#include "model/channel_table.h"
#include "model/default_data.h"
#include "model/default_data_form.h"
#include "model/frequency.h"
#include "model/numeric_value.h"
#include "support/golden.h"

namespace talvirex {
namespace {

TEST(NumericValue, ReadsTheLeadingNumberLikeTheTables) {
  testing::ExpectTable("tables/numbers.txt",
                       [](const std::string& text) { return ShortestDecimal(NumericValue(text)); });
  EXPECT_GT(NumericValue(std::string(5000, '9')), 1e300);
  EXPECT_EQ(SmallIntValue("2.5") * 10 + SmallIntValue("3.5"), 24);  // halves go to even
}

TEST(Frequency, FormsPadOrDropLeadingZerosAndCorrectionClampsIntoBandsAndRoundsDown) {
  testing::ExpectTable("tables/frequency_forms.txt", [](const std::string& text) {
    return FormatFrequencyPadded(text) + " " + FormatFrequencyPlain(text);
  });
  EXPECT_EQ(FormatFrequency("45", false) + FormatFrequency("45", true), "045.000045.0000");
  testing::ExpectTable("tables/frequency_correction.txt", [](const std::string& text) {
    return CorrectFrequency(text) + (IsInScannerBand(text) ? ", in a band" : "");
  });
  // Floating-point error must never move a value typed on its step.
  const std::array<int, 3> bands[] = {{290000, 540000, 50},
                                      {1080000, 1370000, 125},
                                      {1370000, 1740000, 50},
                                      {4060000, 5120000, 125},
                                      {8060000, 9560000, 125}};
  for (const auto& [first, last, step] : bands) {
    for (int units = first; units <= last; units += step * 7) {
      const std::string text = FormatFrequencyPadded(
          std::to_string(units / 10000) + "." + std::to_string(10000 + units % 10000).substr(1));
      ASSERT_EQ(CorrectFrequency(text), text) << units;
    }
  }
}

TEST(NormalizeForSave, CleansRowsWithFrequenciesOnlyAndCutsTagsByCharacters) {
  ChannelTable table;
  const auto put = [&](int bank, int row, std::array<const char*, 7> fields) {
    for (int f = 1; f <= 7; ++f) table.At(bank, row, f) = fields[static_cast<std::size_t>(f - 1)];
  };
  const auto row = [&](int bank, int r) {
    std::string text = table.At(bank, r, 1);
    for (int f = 2; f <= 7; ++f) text += "|" + table.At(bank, r, f);
    return text;
  };
  put(0, 1, {"145.1234", "ABCDEFGHIJKLMNOP", "On", " ", "weird", "1", "0"});
  put(3, 2, {"Empty", "", "On", "", "", "", ""});
  put(1, 1, {"162.55", "ÄÖÜäöüßéèêX", "0", "0", "0", "0", "0"});
  table.At(kDummyBank, 20, kFieldFrequency) = "80";  // the Dummy bank is cleaned too
  NormalizeForSave(table);
  EXPECT_EQ(row(0, 1), " 145.12|ABCDEFGHIJ|0|0|weird|1|0");  // the subtone is not checked here
  EXPECT_EQ(row(3, 2), "000.0000||On||||");                  // empty rows keep their other fields
  EXPECT_EQ(row(1, 1), "162.5500|ÄÖÜäöüßéèê|0|0|0|0|0");
  EXPECT_EQ(table.At(kDummyBank, 20, kFieldFrequency) + " " + table.At(5, 5, kFieldFrequency),
            "54 000.0000");
}

TEST(ChannelTable, BanksInUseSubtonesAndTheTablesBounds) {
  ChannelTable table;
  for (const char* empty : {"0", "Empty", " ", "", "-5", "abc"}) {
    table.At(2, 7, kFieldFrequency) = empty;
    EXPECT_FALSE(IsBankInUse(table, 2)) << empty;
  }
  table.At(2, 20, kFieldFrequency) = "0.0001";
  table.At(11, 1, kFieldFrequency) = "145";
  table.At(12, 1, kFieldFrequency) = "145";
  EXPECT_TRUE(IsBankInUse(table, 2));
  EXPECT_FALSE(IsBankInUse(table, 11) || IsBankInUse(table, 12) || IsBankInUse(table, -1));
  for (const auto& [bank, row, field] :
       {std::array{13, 0, 0}, {0, 22, 0}, {0, 0, 8}, {-1, 0, 0}, {0, -1, -1}}) {
    EXPECT_THROW(table.At(bank, row, field), std::out_of_range);
  }
  testing::ExpectTable("tables/subtones.txt",
                       [](const std::string& code) { return SubtoneText(code); });
  for (int code = 1; code <= kLastSubtoneCode; ++code)
    ASSERT_EQ(SubtoneCodeOf(SubtoneText(std::to_string(code))), code);
  EXPECT_EQ(SubtoneCodeOf("None"), -1);
}

double Parsed(const std::string& canonical) {
  double value = 0;
  std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
  return value;
}

TEST(NumericValue, ShortDecimalsMatchTheGeneralParserBitForBit) {
  std::mt19937_64 random(11);
  for (int i = 0; i < 200000; ++i) {
    const int digits = 1 + static_cast<int>(random() % 15);
    std::string number;
    for (int d = 0; d < digits; ++d) number += static_cast<char>('0' + random() % 10);
    const int point = static_cast<int>(random() % (digits + 1));
    std::string text = number.substr(0, point) + "." + number.substr(point);
    std::string canonical = text;
    if (canonical.front() == '.') canonical.insert(canonical.begin(), '0');
    if (canonical.back() == '.') canonical.pop_back();
    ASSERT_EQ(NumericValue(text), Parsed(canonical)) << text;
    ASSERT_EQ(NumericValue("-" + text), -Parsed(canonical)) << text;
  }
}

// Entries 1..4 only; a value that is neither Off nor On opens without selection and is kept.
TEST(DefaultDataForm, OkWritesEntriesOneToFourAndKeepsValuesItCannotShow) {
  DefaultData data;
  data.apply[0] = 1;
  data.apply[2] = 1;
  data.apply[3] = 7;
  data.value = {0, 1, 2, -7, 0, 9, 0, 0, 0, 0, 0};
  DefaultDataForm form;
  form.Load(data);
  EXPECT_EQ(form.applied, (std::array<bool, 4>{true, true, false, true}));  // 7 is no flag
  EXPECT_EQ(form.selected, (std::array<int, 4>{1, -1, -1, 0}));
  EXPECT_TRUE(!DefaultDataForm::Caption(0).empty() &&
              DefaultDataForm::Caption(DefaultDataForm::kRows).empty());
  form.applied = {false, true, true, false};
  form.selected = {0, -1, 1, 1};
  form.Ok(data);
  EXPECT_EQ(data.apply, (std::array<int, 11>{1, 0, 1, 1, 0, 1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(data.value, (std::array<int, 11>{0, 0, 2, 1, 1, 9, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace talvirex
