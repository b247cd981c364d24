// What the golden decodes (golden_test.cpp) cannot show: characters that are no hex digits, lines
// cut short, and the table parts the decoders must leave alone.

#include "image/decoders.h"

#include <gtest/gtest.h>

#include "image/memory_map.h"
#include "image_test_util.h"
#include "support/fake_ports.h"
#include "workspace.h"

namespace talvirex {
namespace {

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
}  // namespace talvirex
