#include "image/image_file.h"

#include <gtest/gtest.h>

#include "image_test_util.h"
#include "support/temp_dir.h"

namespace talvirex {
namespace {

std::string JoinLines(const CloneImage& image, std::string_view end) {
  std::string text;
  for (int i = 1; i <= kCloneLineCount; ++i) text.append(image.lines[i]).append(end);
  return text;
}

const CloneImage& Expected() {
  static const CloneImage image = testing::DefaultImage();
  return image;
}

TEST(ImageFile, ReadsCrLfLfAndTrailingBlankLines) {
  const std::string texts[] = {
      JoinLines(Expected(), "\n"),
      JoinLines(Expected(), "\r\n"),
      JoinLines(Expected(), "\r\n") + "\r\n\r\n  \n",
      JoinLines(Expected(), "\n").substr(0, 253u * 47u - 1),  // no end after the last line
  };
  for (const std::string& text : texts) {
    const auto result = ParseImageFile(text);
    ASSERT_TRUE(std::holds_alternative<CloneImage>(result));
    EXPECT_EQ(std::get<CloneImage>(result), Expected());
  }
}

TEST(ImageFile, RefusesWhatIsNot253CloneLines) {
  const std::string good = JoinLines(Expected(), "\n");
  const struct {
    std::string text;
    std::string message_part;
  } cases[] = {
      {"", "holds 0 lines"},
      {good.substr(0, 252u * 47u), "holds 252 lines"},
      {good + Expected().lines[1] + "\n", "holds 254 lines"},
      {"\n" + good.substr(0, 252u * 47u), "Line 1 "},  // a blank line inside counts as a line
      {"TALVIREX MEM V0.91\r\n", "holds 1 line;"},
  };
  for (const auto& c : cases) {
    const auto result = ParseImageFile(c.text);
    ASSERT_TRUE(std::holds_alternative<ImageFileError>(result)) << c.message_part;
    EXPECT_NE(std::get<ImageFileError>(result).message.find(c.message_part), std::string::npos)
        << std::get<ImageFileError>(result).message;
  }
  std::string renamed = good;
  renamed.replace(47u * 99u, 3, "XLN");
  const auto result = ParseImageFile(renamed);
  ASSERT_TRUE(std::holds_alternative<ImageFileError>(result));
  EXPECT_NE(std::get<ImageFileError>(result).message.find("Line 100 "), std::string::npos);
}

}  // namespace
}  // namespace talvirex

namespace talvirex {
namespace {

TEST(LoadImageFile, ReadsAFileAndRefusesAMissingOne) {
  const testing::TempDir dir;
  testing::WriteBytes(dir / "scanner.img", ImageFileText(Expected()));
  const auto loaded = LoadImageFile(dir / "scanner.img");
  ASSERT_TRUE(std::holds_alternative<CloneImage>(loaded));
  EXPECT_EQ(std::get<CloneImage>(loaded), Expected());
  const auto missing = LoadImageFile(dir / "none.img");
  ASSERT_TRUE(std::holds_alternative<ImageFileError>(missing));
  EXPECT_NE(std::get<ImageFileError>(missing).message.find("none.img"), std::string::npos);
}

}  // namespace
}  // namespace talvirex
