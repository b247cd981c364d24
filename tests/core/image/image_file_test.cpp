#include "image/image_file.h"

#include <gtest/gtest.h>

#include "image/clone_line.h"
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

// tests/data/image: a stored read (sample.img) and damaged copies of it.
std::filesystem::path DataFile(const std::string& name) {
  return std::filesystem::path(TALVIREX_TEST_DATA) / "image" / name;
}

TEST(LoadImageFile, RefusesLinesOutOfPlaceOrDamagedNamingThem) {
  const struct {
    const char* file;
    std::string message;
  } cases[] = {
      {"swapped.img",
       "Line 66 of the file has the address 0420 where line 66 of an image has 0410: lines are "
       "missing or out of order."},
      {"bad-checksums.img",
       "Lines 13 and 200 of the file have a wrong checksum: the image is damaged."},
      {"short-line.img",
       "Line 100 of the file is not a whole clone line (\"CLN\", the address, 32 hex digits, "
       "\"~\" and the checksum)."},
      {"lowercase.img",
       "Line 5 of the file is not a whole clone line (\"CLN\", the address, 32 hex digits, "
       "\"~\" and the checksum)."},
  };
  for (const auto& c : cases) {
    const auto loaded = LoadImageFile(DataFile(c.file));
    ASSERT_TRUE(std::holds_alternative<ImageFileError>(loaded)) << c.file;
    EXPECT_EQ(std::get<ImageFileError>(loaded).message, c.message);
  }
}

TEST(LoadImageFile, RebuildsWrongChecksumsOnlyWhenAskedAndNamesTheLines) {
  std::vector<int> rebuilt;
  const auto repaired = LoadImageFile(DataFile("bad-checksums.img"), &rebuilt);
  ASSERT_TRUE(std::holds_alternative<CloneImage>(repaired));
  EXPECT_EQ(rebuilt, (std::vector<int>{13, 200}));
  const auto sample = std::get<CloneImage>(LoadImageFile(DataFile("sample.img")));
  const auto& image = std::get<CloneImage>(repaired);
  for (int i = 1; i <= kCloneLineCount; ++i) {
    EXPECT_EQ(CheckCloneLine(image.lines[i], i), CloneLineFault::kNone) << i;
    // Only the checksum is new: the damaged content stays as the file has it.
    if (i != 13 && i != 200) {
      EXPECT_EQ(image.lines[i], sample.lines[i]) << i;
    }
  }
  EXPECT_NE(image.lines[13], sample.lines[13]);  // the changed digit is kept: nothing is guessed

  // A misplaced line is no checksum fault: it stays refused.
  rebuilt.clear();
  EXPECT_TRUE(std::holds_alternative<ImageFileError>(LoadImageFile(DataFile("swapped.img"), &rebuilt)));
  EXPECT_TRUE(rebuilt.empty());
}

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
