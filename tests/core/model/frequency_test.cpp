#include "model/frequency.h"

#include <gtest/gtest.h>

#include "model/channel_table.h"

namespace talvirex {
namespace {

struct Case {
  const char* input;
  const char* expected;
};

TEST(FormatFrequencyPadded, PadsCutsAndNeverRounds) {
  const Case cases[] = {
      {"145.5", "145.5000"},   {"45", "045.0000"},      {"0.5", "000.5000"},
      {"0", "000.0000"},       {"", "000.0000"},        {"145.123456", "145.1234"},
      {"1240.5", "1240.500"},  {"-5", "0-5.0000"},      {" 145.12", "145.1200"},
      {"29", "029.0000"},      {"1300", "1300.000"},    {"  007.5", "007.5000"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFrequencyPadded(c.input), c.expected) << c.input;
}

TEST(FormatFrequencyPlain, DropsLeadingZerosAndCutsNothing) {
  const Case cases[] = {
      {"145.5", "145.5000"}, {"045.0000", "45.0000"}, {"0.5", ".5000"},
      {"0", ".0000"},        {".5", ".5000"},         {"145.123456", "145.123456"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFrequencyPlain(c.input), c.expected) << c.input;
}

TEST(FormatFrequency, FollowsTheLeadingZeroSetting) {
  EXPECT_EQ(FormatFrequency("45", false), "045.0000");
  EXPECT_EQ(FormatFrequency("45", true), "45.0000");
}

TEST(CorrectFrequency, ClampsIntoBandsAndRoundsDownOntoSteps) {
  const Case cases[] = {
      {"145.1234", " 145.12"}, {"162.0125", " 162.01"}, {"460.01", " 460"},
      {"118.01", " 118"},      {"80", "54"},            {"300", "174"},
      {"600", "512"},          {"1000", "956"},         {"12", "29"},
      {"956.3", "956.3"},      {"107.99", "54"},        {"137.0063", " 137.005"},
      {"-5", "29"},            {"54.0049", "54.0049"},  {"53.0049", " 53"},
      {"805.9", "512"},        {"406.00625", " 406"},   {"0.0001", "29"},
  };
  for (const auto& c : cases) EXPECT_EQ(CorrectFrequency(c.input), c.expected) << c.input;
}

TEST(CorrectFrequency, AcceptsEveryOnStepValueOfEveryBandUnchanged) {
  // Floating-point error must never move a value typed on its step.
  struct Band {
    int first_units, last_units, step;
  };
  const Band bands[] = {{290000, 540000, 50}, {1080000, 1370000, 125},
                        {1370000, 1740000, 50}, {4060000, 5120000, 125}, {8060000, 9560000, 125}};
  for (const Band& band : bands) {
    for (int units = band.first_units; units <= band.last_units; units += band.step * 7) {
      const std::string text = FormatFrequencyPadded(
          std::to_string(units / 10000) + "." + std::to_string(10000 + units % 10000).substr(1));
      ASSERT_EQ(CorrectFrequency(text), text) << units;
    }
  }
}

TEST(NormalizeForSave, CleansRowsWithFrequenciesOnly) {
  ChannelTable table;
  table.At(0, 1, kFieldFrequency) = "145.1234";
  table.At(0, 1, kFieldTag) = "ABCDEFGHIJKLMNOP";
  table.At(0, 1, kFieldDelay) = "On";
  table.At(0, 1, kFieldLockOut) = " ";
  table.At(0, 1, kFieldSubtone) = "weird";
  table.At(0, 1, kFieldBeepAlert) = "1";
  table.At(0, 1, kFieldAtt) = "0";
  table.At(3, 2, kFieldFrequency) = "Empty";
  table.At(3, 2, kFieldDelay) = "On";
  table.At(10, 20, kFieldFrequency) = "80";  // the Dummy bank is cleaned too

  NormalizeForSave(table);

  EXPECT_EQ(table.At(0, 1, kFieldFrequency), " 145.12");
  EXPECT_EQ(table.At(0, 1, kFieldTag), "ABCDEFGHIJ");
  EXPECT_EQ(table.At(0, 1, kFieldDelay), "0");
  EXPECT_EQ(table.At(0, 1, kFieldLockOut), "0");
  EXPECT_EQ(table.At(0, 1, kFieldSubtone), "weird");  // the subtone is not checked here
  EXPECT_EQ(table.At(0, 1, kFieldBeepAlert), "1");
  EXPECT_EQ(table.At(0, 1, kFieldAtt), "0");
  EXPECT_EQ(table.At(3, 2, kFieldFrequency), "000.0000");
  EXPECT_EQ(table.At(3, 2, kFieldDelay), "On");  // empty rows keep their other fields
  EXPECT_EQ(table.At(10, 20, kFieldFrequency), "54");
  EXPECT_EQ(table.At(5, 5, kFieldFrequency), "000.0000");
}

TEST(NormalizeForSave, CutsTagsByCharactersNotBytes) {
  ChannelTable table;
  table.At(1, 1, kFieldFrequency) = "162.55";
  table.At(1, 1, kFieldTag) = "ÄÖÜäöüßéèêX";
  NormalizeForSave(table);
  EXPECT_EQ(table.At(1, 1, kFieldTag), "ÄÖÜäöüßéèê");
}

}  // namespace
}  // namespace talvirex
