#include "scanner/clone_lines.h"

#include <gtest/gtest.h>

namespace talvirex::scanner {
namespace {

TEST(CloneLinesTest, EveryFactoryLinePassesTheScannersOwnCheck) {
  const auto lines = DefaultImageLines();
  ASSERT_EQ(lines.size(), 253u);
  for (int i = 1; i <= 253; ++i) {
    EXPECT_EQ(CheckLine(lines[static_cast<std::size_t>(i - 1)], i), LineFault::kNone) << i;
  }
  EXPECT_EQ(MakeLine(2, std::string(16, '\0')), "CLN 0010 00000000000000000000000000000000~07DE");
  EXPECT_EQ(MakeLine(113, std::string(16, '\xFF')),
            "CLN 0700 FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF~0AA4");
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
      {"CLN 0010 00000000000000000000000000000000-07DE", 2, LineFault::kFormat},
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
  EXPECT_NE(ParseImageText(FormatImageText(lines)).error, "");

  lines = DefaultImageLines();
  lines[6][20] = '1';
  EXPECT_NE(ParseImageText(FormatImageText(lines)).error.find("Line 7 "), std::string::npos);

  lines = DefaultImageLines();
  std::swap(lines[9], lines[10]);
  EXPECT_NE(ParseImageText(FormatImageText(lines)).error.find("Line 10 "), std::string::npos);
  EXPECT_NE(ParseImageText("").error, "");
  lines = DefaultImageLines();
  lines[252].pop_back();
  EXPECT_NE(ParseImageText(FormatImageText(lines)).error.find("Line 253 "), std::string::npos);
}

}  // namespace
}  // namespace talvirex::scanner
