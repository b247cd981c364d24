#include "image/decoders.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>

#include "image/clone_access.h"
#include "image/memory_map.h"
#include "image_test_util.h"
#include "model/channel_table.h"
#include "support/fake_ports.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::PlantByte;
using testing::PlantBytes;

const std::string& At(const Workspace& ws, int n, int field) {
  return ws.table.At(BankOf(n), RowOf(n), field);
}

TEST(FilterImage, DefaultImageGivesEmptyLockedOutChannelsAndLeavesTheRestAlone) {
  Workspace ws;
  ws.table.At(kDummyBank, 4, kFieldFrequency) = "145.5";
  ws.table.At(11, 1, kFieldTag) = "kept";
  ws.table.At(0, 21, kFieldFrequency) = "spare";
  ws.scanner_settings[10] = 1;
  ws.scanner_settings[15] = 7;
  ws.priority[10] = 99;
  testing::ScriptedUi ui;
  filter_image(ws, ui);
  for (int n = 1; n <= kChannelCount; ++n) {
    EXPECT_EQ(At(ws, n, kFieldFrequency), "0") << n;
    EXPECT_EQ(At(ws, n, kFieldTag), "          ") << n;
    EXPECT_EQ(At(ws, n, kFieldLockOut), "1") << n;
    EXPECT_EQ(At(ws, n, kFieldDelay), "0") << n;
    EXPECT_EQ(At(ws, n, kFieldBeepAlert), "0") << n;
    EXPECT_EQ(At(ws, n, kFieldAtt), "0") << n;
    EXPECT_EQ(At(ws, n, kFieldSubtone), "0") << n;
  }
  for (int b = 0; b < kScannerBanks; ++b) {
    EXPECT_EQ(ws.priority[b], b * 20 + 1);
    EXPECT_EQ(ws.scanner_settings[b], 1);
  }
  for (int i = 10; i <= 13; ++i) EXPECT_EQ(ws.scanner_settings[i], 0) << i;
  EXPECT_EQ(ws.scanner_settings[15], 7);  // beyond the decoded entries: untouched
  EXPECT_EQ(ws.priority[10], 99);
  EXPECT_EQ(ws.table.At(kDummyBank, 4, kFieldFrequency), "145.5");
  EXPECT_EQ(ws.table.At(11, 1, kFieldTag), "kept");
  EXPECT_EQ(ws.table.At(0, 21, kFieldFrequency), "spare");
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_EQ(ui.busy_changes, (std::vector<bool>{true, false}));
}

TEST(FilterFreqdata, ReadsEachRecord) {
  const struct {
    const char* record;
    const char* frequency;
  } cases[] = {
      // on-step records come back through the codec property tests; these are the odd ones
      {"45AF11", "145.585"}, {"45AF13", "145.595"}, {"843820", "108"}, {"000000", "0"},
      // a fine-step code in neither table counts as a fine part of 0
      {"45AF14", "145.5"}, {"45AF28", "145.5"}, {"45AFFF", "145.5"},
      // unreadable characters read as 0
      {"45af01", "0"}, {"45AFx1", "145.5"}, {"8x9C21", "0"},
      // a word that is no frequency record is an empty channel
      {"FFFFFF", "0"}, {"3E7F00", "0"}, {"659100", "0"}, {"000005", "0"},
      {"3E8000", "0"}, {"400005", "0"}, {"400105", "0.125"}, {"659000", "961.6"},
  };
  for (const auto& c : cases) {
    Workspace ws;
    PlantBytes(ws.clone_image, image_map::FrequencyAddress(17), c.record);
    filter_freqdata(CloneReader(ws.clone_image), ws.table);
    EXPECT_EQ(At(ws, 17, kFieldFrequency), c.frequency) << c.record;
  }
}

TEST(FilterTagdata, ReadsTenCharacters) {
  const struct {
    const char* codes;
    const char* tag;
  } cases[] = {
      // the table's own codes come back through the codec property tests
      {"434445464748494A4BFF", ".,-####   "}, {"7F7F7F7F7F7F7F7F7F7F", "          "},
      {"zz0A0A0A0A0A0A0A0A0A", "0AAAAAAAAA"},  // an unreadable byte reads as code 0
  };
  for (const auto& c : cases) {
    Workspace ws;
    PlantBytes(ws.clone_image, image_map::TagAddress(200), c.codes);
    filter_tagdata(CloneReader(ws.clone_image), ws.table);
    EXPECT_EQ(At(ws, 200, kFieldTag), c.tag) << c.codes;
  }
}

TEST(FilterSubtoon, ReadsCodesAndKeepsTheFieldForUnusedBytes) {
  const struct {
    const char* byte;
    const char* code;
  } cases[] = {{"A6", "0"},    {"FF", "0"},    {"68", "was"},
               {"7F", "was"}, {"g0", "39"}};  // the mapped codes come back in the property tests
  for (const auto& c : cases) {
    Workspace ws;
    ws.table.At(2, 5, kFieldSubtone) = "was";
    PlantByte(ws.clone_image, image_map::SubtoneAddress(ChannelNumber(2, 5)), c.byte);
    filter_subtoon(CloneReader(ws.clone_image), ws.table);
    EXPECT_EQ(ws.table.At(2, 5, kFieldSubtone), c.code) << c.byte;
  }
}

TEST(FilterSettings, ReadsTheFlagNibble) {
  const struct {
    const char* byte;
    const char *delay, *lockout, *beep, *att;
  } cases[] = {{"4F", "1", "0", "0", "0"}, {"80", "0", "1", "0", "0"}, {"10", "0", "0", "1", "0"},
               {"20", "0", "0", "0", "1"}, {"x0", "0", "0", "0", "0"}};
  for (const auto& c : cases) {
    Workspace ws;
    const int n = 77;
    ws.table.At(BankOf(n), RowOf(n), kFieldDelay) = "On";
    PlantByte(ws.clone_image, image_map::FlagAddress(n), c.byte);
    filter_settings(CloneReader(ws.clone_image), ws.table);
    EXPECT_EQ(At(ws, n, kFieldDelay), c.delay) << c.byte;
    EXPECT_EQ(At(ws, n, kFieldLockOut), c.lockout) << c.byte;
    EXPECT_EQ(At(ws, n, kFieldBeepAlert), c.beep) << c.byte;
    EXPECT_EQ(At(ws, n, kFieldAtt), c.att) << c.byte;
  }
}

TEST(FilterPridata, AddsOne) {
  Workspace ws;
  PlantBytes(ws.clone_image, 0x00D0, "0014C7FF00000000000z");
  filter_pridata(CloneReader(ws.clone_image), ws.priority);
  EXPECT_EQ(ws.priority[0], 1);
  EXPECT_EQ(ws.priority[1], 21);
  EXPECT_EQ(ws.priority[2], 200);
  EXPECT_EQ(ws.priority[3], 256);  // the priority form mends it on its next Close
  EXPECT_EQ(ws.priority[9], 1);    // unreadable: 0
}

TEST(FilterParadata, ReadsOptionsAndBankActivity) {
  const struct {
    const char* cacf;  // bytes 0x00CA..0x00CF
    const char* c0;    // byte 0x01C0
    std::array<int, 14> settings;
  } cases[] = {
      {"00FF03000800", "00", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0}},
      {"000100000000", "00", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"801002010001", "01", {0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 1, 1, 1}},
      {"000000000000", "00", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},  // no bank: not mended
      {"90A5F7030F03", "13", {1, 0, 1, 0, 0, 1, 0, 1, 1, 1, 0, 0, 0, 0}},  // only "8" and "1" count
  };
  for (const auto& c : cases) {
    Workspace ws;
    for (int i = 0; i <= 20; ++i) ws.scanner_settings[i] = 5;
    PlantBytes(ws.clone_image, 0x00CA, c.cacf);
    PlantByte(ws.clone_image, 0x01C0, c.c0);
    filter_paradata(CloneReader(ws.clone_image), ws.scanner_settings);
    for (int i = 0; i < 14; ++i)
      EXPECT_EQ(ws.scanner_settings[i], c.settings[i]) << c.cacf << " " << i;
    for (int i = 14; i <= 20; ++i) EXPECT_EQ(ws.scanner_settings[i], 5);
  }
}

TEST(FilterImage, DamagedLinesReadAsZeroAndAreReportedOnce) {
  Workspace ws;
  CloneImage& image = ws.clone_image;
  image.lines[65] = "CLN 0400 45AF01";   // frequency records cut short
  image.lines[14] = "CLN 00D0 0014283";  // priority bytes 3.. cut, byte 3 half there
  image.lines[129].clear();              // the first eight tags missing
  testing::ScriptedUi ui;
  filter_image(ws, ui);
  EXPECT_EQ(At(ws, 1, kFieldFrequency), "145.505");
  EXPECT_EQ(At(ws, 2, kFieldFrequency), "0");
  EXPECT_EQ(ws.priority[2], 41);
  EXPECT_EQ(ws.priority[3], 1);
  EXPECT_EQ(ws.priority[4], 1);
  EXPECT_EQ(At(ws, 1, kFieldTag), "0000000000");  // missing bytes read as code 0
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_TRUE(ui.shown[0].text.starts_with("hexsmeter problem")) << ui.shown[0].text;
}

TEST(FilterImage, SurvivesHostileImages) {
  std::vector<CloneImage> images;
  CloneImage all_f;
  for (int i = 1; i <= kCloneLineCount; ++i) all_f.lines[i] = std::string(46, 'F');
  images.push_back(all_f);
  CloneImage lowercase = testing::DefaultImage();
  for (auto& line : lowercase.lines) {
    for (char& c : line) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  images.push_back(lowercase);
  images.push_back(CloneImage{});  // nothing at all
  std::mt19937 random(7);
  CloneImage noise;
  for (auto& line : noise.lines) {
    line.resize(random() % 60);
    for (char& c : line) c = static_cast<char>(random() % 256);
  }
  images.push_back(noise);
  for (const CloneImage& image : images) {
    Workspace ws;
    ws.clone_image = image;
    testing::ScriptedUi ui;
    filter_image(ws, ui);
    for (int n = 1; n <= kChannelCount; ++n) {
      EXPECT_EQ(At(ws, n, kFieldTag).size(), 10u);
      const double mhz = ws.table.FrequencyValue(BankOf(n), RowOf(n));
      EXPECT_TRUE(mhz == 0 || (mhz > 0 && mhz < 962)) << At(ws, n, kFieldFrequency);
      const int code = std::stoi(At(ws, n, kFieldSubtone).empty() ? "0" : At(ws, n, kFieldSubtone));
      EXPECT_TRUE(code >= 0 && code <= kLastSubtoneCode);
    }
    for (int b = 0; b < kScannerBanks; ++b)
      EXPECT_TRUE(ws.priority[b] >= 1 && ws.priority[b] <= 256);
    EXPECT_LE(ui.shown.size(), 1u);
  }
}

}  // namespace
}  // namespace talvirex
