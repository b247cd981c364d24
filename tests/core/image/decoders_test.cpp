#include "image/decoders.h"

#include <gtest/gtest.h>

#include "image/clone_access.h"
#include "image/memory_map.h"
#include "image_test_util.h"
#include "model/channel_table.h"
#include "support/fake_ports.h"
#include "workspace.h"

namespace talvirex {
namespace {

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

// Odd bytes at one channel's places. The bytes the encoders write come back through the codec
// property tests, so only what no encoder writes is listed.
TEST(FilterImage, ReadsOddChannelBytes) {
  using image_map::FlagAddress, image_map::SubtoneAddress, image_map::TagAddress;
  const struct {
    int (*address)(int);
    const char* bytes;
    int field;
    const char* value;
  } cases[] = {
      {TagAddress, "434445464748494A4BFF", kFieldTag, ".,-####   "},
      {TagAddress, "7F7F7F7F7F7F7F7F7F7F", kFieldTag, "          "},
      {TagAddress, "zz0A0A0A0A0A0A0A0A0A", kFieldTag, "0AAAAAAAAA"},  // unreadable: code 0
      {SubtoneAddress, "A6", kFieldSubtone, "0"},
      {SubtoneAddress, "68", kFieldSubtone, "was"},  // an unused byte keeps the field
      {SubtoneAddress, "7F", kFieldSubtone, "was"},
      {SubtoneAddress, "g0", kFieldSubtone, "39"},
      {FlagAddress, "4F", kFieldDelay, "1"},  // the low nibble means nothing
      {FlagAddress, "4F", kFieldLockOut, "0"},
      {FlagAddress, "x0", kFieldDelay, "0"},
  };
  const int n = 77;
  for (const auto& c : cases) {
    Workspace ws;
    ws.table.At(BankOf(n), RowOf(n), c.field) = "was";
    PlantBytes(ws.clone_image, c.address(n), c.bytes);
    testing::ScriptedUi ui;
    filter_image(ws, ui);
    EXPECT_EQ(At(ws, n, c.field), c.value) << c.bytes;
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

}  // namespace
}  // namespace talvirex
