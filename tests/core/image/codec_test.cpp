// The clone image's checksum and what the golden send and decodes (golden_test.cpp) cannot show:
// a table with nothing to send, damaged lines, characters that are no hex digits, and the table
// parts the decoders leave alone.

#include <gtest/gtest.h>

#include "image/clone_line.h"
#include "image/decoders.h"
#include "image/encoders.h"
#include "image/memory_map.h"
#include "image_test_util.h"
#include "support/fake_ports.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

// The factory image, whose every line carries its checksum, is a golden file (golden_test.cpp).
TEST(CloneChecksum, WeighsTheAddressAndDataDigits) {
  const std::pair<std::string, int> cases[] = {
      {"CLN 0000 00000000000000000000000000000000", 0x07DD},
      {"CLN 00A0 00000000000000000000000000000000", 0x07EE},
      {"CLN 0700 FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF~0AA4", 0x0AA4},  // the old sum is not counted
      {"CLN FFFF FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", 0x0AF5},       // the largest sum
      {"CLN 0700 ffffffffffffffffffffffffffffffff", 0x07E4},       // lowercase weighs nothing
      {"CLN 0000 09", 0x07E6},                                     // short: missing digits add 0
      {"", 2013},
  };
  for (const auto& [line, checksum] : cases) EXPECT_EQ(CloneChecksum(line), checksum) << line;
}

TEST(CreateSenddata, ATableEmptyOutsideTheDummyBankGivesTheDefaultImageEveryTime) {
  Workspace ws;
  ws.table.At(kDummyBank, 1, kFieldFrequency) = "145.5000";
  ws.table.At(kDummyBank, 1, kFieldTag) = "Scratch";
  for (int run = 0; run < 2; ++run) {
    create_senddata(ws);
    EXPECT_EQ(ws.clone_image, testing::DefaultImage()) << run;
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
  const std::string zeros(32, '0');
  EXPECT_EQ(image.lines[5], line5);
  EXPECT_EQ(image.lines[6], FinishCloneLine("CLN 0050 0102" + zeros.substr(4)));
  EXPECT_EQ(image.lines[7], FinishCloneLine("CLN 0060 " + zeros));
  EXPECT_EQ(image.lines[8], FinishCloneLine("CLN 0070 " + zeros));
  EXPECT_EQ(image.lines[9], FinishCloneLine("CLN 0080 " + zeros));
  EXPECT_EQ(image.lines[10], testing::DefaultImage().lines[10]);
}

using namespace image_map;

const std::string& At(const Workspace& ws, int n, int field) {
  return ws.table.At(BankOf(n), RowOf(n), field);
}

TEST(FilterImage, UnreadableCharactersReadAsZero) {
  const struct {
    int address;
    const char* bytes;
    int field;  // of channel 77; 0: the priority channel of bank 1
    const char* value;
  } cases[] = {
      {FrequencyAddress(77), "45af01", kFieldFrequency, "0"},
      {FrequencyAddress(77), "45AFx1", kFieldFrequency, "145.5"},
      {FrequencyAddress(77), "8x9C21", kFieldFrequency, "0"},
      {TagAddress(77), "zz0A0A0A0A0A0A0A0A0A", kFieldTag, "0AAAAAAAAA"},
      {SubtoneAddress(77), "g0", kFieldSubtone, "39"},
      {FlagAddress(77), "x0", kFieldDelay, "0"},
      {0x00D0, "0z", 0, "1"},
  };
  for (const auto& c : cases) {
    Workspace ws;
    testing::PlantBytes(ws.clone_image, c.address, c.bytes);
    testing::ScriptedUi ui;
    filter_image(ws, ui);
    EXPECT_EQ(c.field == 0 ? std::to_string(ws.priority[0]) : At(ws, 77, c.field), c.value) << c.bytes;
    EXPECT_TRUE(ui.shown.empty());
  }
}

TEST(FilterImage, LeavesTheDummyBankTheSpareRowsAndTheUndecodedSettingsAlone) {
  Workspace ws;
  ws.table.At(kDummyBank, 4, kFieldFrequency) = "145.5";
  ws.table.At(11, 1, kFieldTag) = "kept";
  ws.table.At(0, 21, kFieldFrequency) = "spare";
  ws.scanner_settings[15] = 7;
  ws.priority[10] = 99;
  testing::ScriptedUi ui;
  filter_image(ws, ui);
  EXPECT_EQ(ws.table.At(kDummyBank, 4, kFieldFrequency) + ws.table.At(11, 1, kFieldTag) +
                ws.table.At(0, 21, kFieldFrequency), "145.5keptspare");
  EXPECT_EQ(ws.scanner_settings[15], 7);
  EXPECT_EQ(ws.priority[10], 99);
  EXPECT_EQ(ui.busy_changes, (std::vector<bool>{true, false}));
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
}  // namespace talvirex::testing
