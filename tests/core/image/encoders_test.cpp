// What the golden send (golden_test.cpp) cannot show: a table with nothing to send and damaged
// lines in the image it is written into.

#include "image/encoders.h"

#include <gtest/gtest.h>

#include "image/clone_line.h"
#include "image_test_util.h"
#include "workspace.h"

namespace talvirex {
namespace {

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

}  // namespace
}  // namespace talvirex
