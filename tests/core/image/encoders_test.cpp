#include "image/encoders.h"

#include <gtest/gtest.h>

#include "image/clone_access.h"
#include "image/clone_image.h"
#include "image/clone_line.h"
#include "image/decoders.h"
#include "image/memory_map.h"
#include "image_test_util.h"
#include "model/channel_table.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::BytesText;
using testing::ByteText;

// Puts a channel into the table at scanner-wide number n.
void SetChannel(Workspace& ws, int n, const std::string& frequency, const std::string& tag = "",
                const std::string& subtone = "0") {
  ws.table.At(BankOf(n), RowOf(n), kFieldFrequency) = frequency;
  ws.table.At(BankOf(n), RowOf(n), kFieldTag) = tag;
  ws.table.At(BankOf(n), RowOf(n), kFieldSubtone) = subtone;
  for (const int field : {kFieldDelay, kFieldLockOut, kFieldBeepAlert, kFieldAtt}) {
    ws.table.At(BankOf(n), RowOf(n), field) = "0";
  }
}

TEST(CreateSenddata, AFreshTableOrOneOnlyInTheDummyBankGivesTheDefaultImageEveryTime) {
  Workspace ws;
  create_senddata(ws);
  EXPECT_EQ(ws.clone_image, testing::DefaultImage());
  ws.table.At(kDummyBank, 1, kFieldFrequency) = "145.5000";
  ws.table.At(kDummyBank, 1, kFieldTag) = "Scratch";
  create_senddata(ws);
  EXPECT_EQ(ws.clone_image, testing::DefaultImage());
}

TEST(CreateFreqdata, WritesTheRecordOfEachFrequency) {
  const struct {
    const char* frequency;
    const char* record;
  } cases[] = {
      // clang-format off
      {"029.7000", "412900"}, {"145.5050", "45AF01"}, {"118.0125", "849C21"},
      {"108.0000", "843820"}, {"137.0000", "455A00"}, {"460.0125", "51F821"},
      {"854.9875", "616527"}, {"000.0000", "000000"}, {"162.5500", "46590A"},
      {"054.0000", "421C00"}, {"136.9875", "855927"}, {"174.0000", "46CC00"},
      {"956.0000", "655820"}, {"", "000000"},         {"Empty", "000000"},
      {"-5", "000000"},       {"28.9950", "000000"},
      // texts that are not in the padded form encode to the frequency they mean
      {"29", "412200"},       {" 145.12", "45AB04"},  {" 460", "51F820"},
      {"54.5", "422120"},     {"145.5", "45AF00"},
      // a fine part off the band's table is written as the step below
      {"145.5049", "45AF00"}, {"460.0200", "51F821"}, {"460.0130", "51F821"},
      // out of every band: held to the four hex digits of the word
      {"1300.000", "670F20"},
      // clang-format on
  };
  for (const auto& c : cases) {
    Workspace ws;
    SetChannel(ws, 33, c.frequency);
    create_freqdata(ws.table, ws.clone_image);
    EXPECT_EQ(BytesText(ws.clone_image, image_map::FrequencyAddress(33), 3), c.record)
        << c.frequency;
  }
}

TEST(CreateFreqdata, FillsEveryGroupAcrossLineEndsAndZeroesTheSpareSlots) {
  Workspace ws;
  for (int n = 1; n <= kChannelCount; ++n) SetChannel(ws, n, "145.5050");
  CloneImage& image = ws.clone_image;
  for (int n = 201; n <= 208; ++n)
    testing::PlantBytes(image, image_map::FrequencyAddress(n), "123456");
  create_freqdata(ws.table, image);
  for (int n = 1; n <= 200; ++n) {
    EXPECT_EQ(BytesText(image, image_map::FrequencyAddress(n), 3), "45AF01") << n;
  }
  for (int n = 201; n <= 208; ++n) {
    EXPECT_EQ(BytesText(image, image_map::FrequencyAddress(n), 3), "000000") << n;
  }
  EXPECT_EQ(ByteText(image, 0x0670), "00");  // past the block: untouched
  EXPECT_EQ(ByteText(image, 0x03FF), "00");
}

TEST(CreateSenddata, EmptyChannelIsLockedOutWithoutSubtone) {
  Workspace ws;
  SetChannel(ws, 3, "0", "Old name", "13");
  ws.table.At(0, 3, kFieldDelay) = "1";
  create_senddata(ws);
  EXPECT_EQ(ByteText(ws.clone_image, image_map::FlagAddress(3)), "80");
  EXPECT_EQ(ByteText(ws.clone_image, image_map::SubtoneAddress(3)), "FF");
  EXPECT_EQ(BytesText(ws.clone_image, image_map::FrequencyAddress(3), 3), "000000");
}

TEST(CreateSetdata, CombinesTheFlagsAndKeepsTheLowNibble) {
  const struct {
    const char *delay, *lockout, *beep, *att;
    char nibble;
  } cases[] = {
      {"0", "0", "0", "0", '0'}, {"1", "0", "0", "0", '4'}, {"0", "1", "0", "0", '8'},
      {"0", "0", "1", "0", '1'}, {"0", "0", "0", "1", '2'}, {"1", "1", "1", "1", 'F'},
      {"On", " ", "2", "", '0'},  // only "1" counts
  };
  for (const auto& c : cases) {
    Workspace ws;
    SetChannel(ws, 200, "451.0000");
    ws.table.At(9, 20, kFieldDelay) = c.delay;
    ws.table.At(9, 20, kFieldLockOut) = c.lockout;
    ws.table.At(9, 20, kFieldBeepAlert) = c.beep;
    ws.table.At(9, 20, kFieldAtt) = c.att;
    testing::PlantByte(ws.clone_image, image_map::FlagAddress(200), "8B");
    create_setdata(ws.table, ws.clone_image);
    EXPECT_EQ(ByteText(ws.clone_image, image_map::FlagAddress(200)),
              std::string(1, c.nibble) + "B");
  }
}

TEST(CreateSubtoondata, MapsCodesToBytes) {
  const struct {
    const char* code;
    const char* byte;
  } cases[] = {{"0", "FF"},   {"None", "FF"}, {"", "FF"},    {"1", "80"},
               {"13", "8C"},  {"38", "A5"},   {"39", "00"},  {"142", "67"},
               {"200", "A1"}, {"-3", "FF"},   {"9999", "FF"}};
  for (const auto& c : cases) {
    Workspace ws;
    SetChannel(ws, 21, "146.0000", "", c.code);
    create_subtoondata(ws.table, ws.clone_image);
    EXPECT_EQ(ByteText(ws.clone_image, image_map::SubtoneAddress(21)), c.byte) << c.code;
  }
}

TEST(CreateTagdata, WritesTenCodes) {
  const struct {
    const char* tag;
    const char* codes;
  } cases[] = {
      {"Air/Ops 1", "0A2C353E1833364A014A"},
      {"ABCDEFGHIJKL", "0A0B0C0D0E0F10111213"},  // only the first ten characters
      {"", "4A4A4A4A4A4A4A4A4A4A"},
      {"09azAZ()&'", "0009243D0A233F404142"},
      {".,-#", "434445464A4A4A4A4A4A"},
      {"a_b\"c", "244A254A264A4A4A4A4A"},         // characters off the table become blanks
      {"Caf\xC3\xA9 X", "0C24294A4A214A4A4A4A"},  // one blank for a character of two bytes
  };
  for (const auto& c : cases) {
    Workspace ws;
    SetChannel(ws, 9, "0", c.tag);
    testing::PlantBytes(ws.clone_image, image_map::TagAddress(9), "01020304050607080900");
    create_tagdata(ws.table, ws.clone_image);
    EXPECT_EQ(BytesText(ws.clone_image, image_map::TagAddress(9), 10), c.codes) << c.tag;
  }
}

// Priority channels and options both ways: the bytes the encoder writes and what the decoder reads
// from bytes; the in-range values all come back through the codec property tests.
TEST(Priodata, HoldsTheChannelNumberMinusOne) {
  Workspace ws;
  ws.priority = {21, 0, 256, -4, 200, 300, 1, 1, 1, 1, 0};
  create_priodata(ws.priority, ws.clone_image);
  EXPECT_EQ(BytesText(ws.clone_image, 0x00D0, 6), "14FFFFFFC7FF");  // out of range: FF
  testing::PlantBytes(ws.clone_image, 0x00D0, "0014C7FF0z");
  filter_pridata(CloneReader(ws.clone_image), ws.priority);
  // FF reads as 256, which the priority form mends on its next Close; unreadable reads as 0.
  EXPECT_EQ((std::vector<int>(ws.priority.begin(), ws.priority.begin() + 5)),
            (std::vector<int>{1, 21, 200, 256, 1}));
}

TEST(Paradata, OptionsAndBankActivity) {
  const struct {
    std::array<int, 14> settings;
    const char* cacf;  // bytes 0x00CA..0x00CF; 0x00CE is not interpreted
    const char* c0;    // byte 0x01C0
    bool encoded, decoded;
  } cases[] = {
      {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0}, "00FF03000800", "00", true, true},  // default
      {{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "000100000800", "00", true, true},
      {{0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 1, 1, 1}, "801002010801", "01", true, true},
      // a setting counts only when it is exactly 1
      {{2, -1, 0, 0, 0, 0, 0, 0, 7, 0, 2, 2, 2, 2}, "000000000800", "00", true, false},
      {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "000000000000", "00", false, true},  // no bank
      // only the bits "8" and "1" count
      {{1, 0, 1, 0, 0, 1, 0, 1, 1, 1, 0, 0, 0, 0}, "90A5F7030F03", "13", false, true},
  };
  for (const auto& c : cases) {
    Workspace ws;
    if (c.encoded) {
      for (int i = 0; i < 14; ++i) ws.scanner_settings[i] = c.settings[i];
      create_paradata(ws.scanner_settings, ws.clone_image);
      EXPECT_EQ(BytesText(ws.clone_image, 0x00CA, 6), c.cacf);
      EXPECT_EQ(ByteText(ws.clone_image, 0x01C0), c.c0);
    }
    if (c.decoded) {
      ws.scanner_settings.fill(5);
      testing::PlantBytes(ws.clone_image, 0x00CA, c.cacf);
      testing::PlantByte(ws.clone_image, 0x01C0, c.c0);
      filter_paradata(CloneReader(ws.clone_image), ws.scanner_settings);
      for (int i = 0; i < 14; ++i) EXPECT_EQ(ws.scanner_settings[i], c.settings[i]) << c.cacf << i;
      for (int i = 14; i <= 20; ++i) EXPECT_EQ(ws.scanner_settings[i], 5);
    }
  }
}

TEST(CreateSenddata, FinishesLinesWithoutChecksumAndMendsDamagedOnes) {
  Workspace ws;
  CloneImage& image = ws.clone_image;
  const std::string line5 = image.lines[5];
  image.lines[5] = line5.substr(0, 41);                                 // no checksum yet
  image.lines[6] = "CLN 0050 0102";                                     // cut short
  image.lines[7].clear();                                               // missing
  image.lines[8] = "CLN 0070 00000000000000000000000000000000~0000XX";  // too long
  image.lines[9] = "garbage that is not a clone line at all!!!";
  image.lines[10] = image.lines[10].substr(0, 41) + "~0000";            // a stale checksum
  create_senddata(ws);
  EXPECT_EQ(image.lines[5], line5);
  EXPECT_EQ(image.lines[6], FinishCloneLine("CLN 0050 01020000000000000000000000000000"));
  EXPECT_EQ(image.lines[7], FinishCloneLine("CLN 0060 00000000000000000000000000000000"));
  EXPECT_EQ(image.lines[8], FinishCloneLine("CLN 0070 00000000000000000000000000000000"));
  EXPECT_EQ(image.lines[9], FinishCloneLine("CLN 0080 00000000000000000000000000000000"));
  EXPECT_EQ(image.lines[10], testing::DefaultImage().lines[10]);
}

}  // namespace
}  // namespace talvirex
