#include "scanner/clone_lines.h"

#include <gtest/gtest.h>

namespace talvirex::scanner {
namespace {

TEST(CloneLinesTest, DefaultImageHasTheFactoryLines) {
  const auto lines = DefaultImageLines();
  ASSERT_EQ(lines.size(), 253u);
  const std::pair<int, const char*> expected[] = {
      {1, "CLN 0000 00000000000000000000000000000000~07DD"},
      {13, "CLN 00C0 0000000000000000000000FF03000800~0827"},
      {14, "CLN 00D0 0014283C5064788CA0B4000000000000~0876"},
      {15, "CLN 00E0 80808080808080808080808080808080~0872"},
      {27, "CLN 01A0 80808080808080800000000000000000~082F"},
      {28, "CLN 01B0 00000000000000000202000000000000~07F4"},
      {113, "CLN 0700 FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF~0AA4"},
      {125, "CLN 07C0 FFFFFFFFFFFFFFFF0300004545454545~0987"},
      {126, "CLN 07D0 0145090000450202054504080202FF00~0862"},
      {127, "CLN 07E0 00000000FF0000FFFFFFFFFFFFFFFFFF~09B1"},
      {253, "CLN 0FC0 4A4A4A4A4A4A4A4A4A4A4A4A4A4A4A4A~0956"},
  };
  for (const auto& [index, line] : expected) {
    EXPECT_EQ(lines[static_cast<std::size_t>(index - 1)], line) << "line " << index;
  }
  for (int i = 1; i <= 253; ++i) {
    EXPECT_EQ(CheckLine(lines[static_cast<std::size_t>(i - 1)], i), LineFault::kNone) << i;
  }
}

TEST(CloneLinesTest, ChecksumWeighsUppercaseHexDigitsOnly) {
  EXPECT_EQ(LineChecksum("CLN 0700 FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"), 0x0AA4);
  EXPECT_EQ(LineChecksum("CLN 0000 00000000000000000000000000000000"), 0x07DD);
  EXPECT_EQ(LineChecksum("CLN 0000 ffffffffffffffffffffffffffffffff"), 0x07DD);
  EXPECT_EQ(LineChecksum("CLN 0010 00000000000000000000000000000000~07DE"), 0x07DE);
  EXPECT_EQ(LineChecksum("CLN 00A0"), 2013 + 17);  // a short text weighs what it has
}

TEST(CloneLinesTest, CheckLineNamesTheFault) {
  const std::string good = "CLN 0010 00000000000000000000000000000000~07DE";
  const struct {
    std::string line;
    int index;
    LineFault fault;
  } cases[] = {
      {good, 2, LineFault::kNone},
      {good, 3, LineFault::kAddress},
      {good.substr(0, 45), 2, LineFault::kLength},
      {good + "0", 2, LineFault::kLength},
      {"CLN 0010 0000000000000000000000000000000a~07DE", 2, LineFault::kFormat},
      {"CLN 0010 0000000000000000000000000000000G~07DE", 2, LineFault::kFormat},
      {"CLN 0010 00000000000000000000000000000000-07DE", 2, LineFault::kFormat},
      {"XLN 0010 00000000000000000000000000000000~07DE", 2, LineFault::kFormat},
      {"CLN 0010 00000000000000000000000000000001~07DE", 2, LineFault::kChecksum},
      {"CLN 0010 00000000000000000000000000000000~07DF", 2, LineFault::kChecksum},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckLine(c.line, c.index), c.fault) << c.line;
}

TEST(CloneLinesTest, ImageTextRoundTripsWithEitherLineEnd) {
  const auto lines = DefaultImageLines();
  const std::string text = FormatImageText(lines);
  EXPECT_EQ(text.size(), 253u * 47);
  EXPECT_EQ(text.substr(0, 47), lines[0] + "\n");
  EXPECT_EQ(ParseImageText(text).lines, lines);

  std::string dos_text;
  for (const auto& line : lines) dos_text += line + "\r\n";
  const ImageText parsed = ParseImageText(dos_text + "\r\n\n");
  EXPECT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.lines, lines);
}

TEST(CloneLinesTest, ImageTextRefusesWhatIsNoImage) {
  auto lines = DefaultImageLines();
  lines.pop_back();
  EXPECT_EQ(ParseImageText(FormatImageText(lines)).error, "has 252 lines, not 253");

  lines = DefaultImageLines();
  lines[6][20] = '1';
  EXPECT_EQ(ParseImageText(FormatImageText(lines)).error, "line 7: wrong checksum");

  lines = DefaultImageLines();
  std::swap(lines[9], lines[10]);
  EXPECT_EQ(ParseImageText(FormatImageText(lines)).error, "line 10: wrong address");
  EXPECT_EQ(ParseImageText("").error, "has 0 lines, not 253");
}

}  // namespace
}  // namespace talvirex::scanner
