#include "scanner/clone_lines.h"

#include <gtest/gtest.h>

namespace talvirex::scanner {
namespace {

TEST(CloneLinesTest, CheckLineNamesTheFaultOfEachLine) {
  const std::string good = MakeLine(2, std::string(16, '\0'));
  EXPECT_EQ(good, "CLN 0010 00000000000000000000000000000000~07DE");
  EXPECT_EQ(MakeLine(113, std::string(16, '\xFF')), "CLN 0700 FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF~0AA4");
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
  const auto lines = DefaultImageLines();
  ASSERT_EQ(lines.size(), 253u);
  for (int i = 1; i <= 253; ++i) EXPECT_EQ(CheckLine(lines[static_cast<std::size_t>(i - 1)], i), LineFault::kNone) << i;
}

TEST(CloneLinesTest, ImageTextRoundTripsWithEitherLineEndAndRefusesWhatIsNoImage) {
  const auto lines = DefaultImageLines();
  const std::string text = FormatImageText(lines);
  EXPECT_EQ(text.size(), 253u * 47);
  EXPECT_EQ(ParseImageText(text).lines, lines);
  std::string dos_text;
  for (const auto& line : lines) dos_text += line + "\r\n";
  EXPECT_EQ(ParseImageText(dos_text + "\r\n\n").lines, lines);
  EXPECT_EQ(ParseImageText(dos_text).error, "");
  const std::pair<int, std::string> faults[] = {{-1, ""}, {7, "Line 7 "}, {10, "Line 10 "}, {253, "Line 253 "}};
  for (const auto& [line, message] : faults) {
    auto broken = lines;
    if (line < 0) broken.pop_back();
    if (line == 7) broken[6][20] = '1';
    if (line == 10) std::swap(broken[9], broken[10]);
    if (line == 253) broken[252].pop_back();
    const std::string error = ParseImageText(FormatImageText(broken)).error;
    EXPECT_TRUE(!error.empty() && error.find(message) != std::string::npos) << line << ": " << error;
  }
  EXPECT_NE(ParseImageText("").error, "");
}

}  // namespace
}  // namespace talvirex::scanner
