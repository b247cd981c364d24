#include "image/image_file.h"

#include <gtest/gtest.h>

#include "image/clone_line.h"
#include "image_test_util.h"
#include "support/temp_dir.h"

namespace talvirex::testing {
namespace {

const std::filesystem::path kImages = std::filesystem::path(TALVIREX_TEST_DATA) / "image";
const CloneImage kDefault = DefaultImage();

std::string JoinLines(std::string_view end) {
  std::string text;
  for (int i = 1; i <= kCloneLineCount; ++i) text.append(kDefault.lines[i]).append(end);
  return text;
}

// The message of a refused text or file, or "" when it is read.
template <typename Source>
std::string Refusal(const Source& source, std::vector<int>* rebuilt = nullptr) {
  std::variant<CloneImage, ImageFileError> result;
  if constexpr (std::is_same_v<Source, std::filesystem::path>) {
    result = LoadImageFile(source, rebuilt);
  } else {
    result = ParseImageFile(source, rebuilt);
  }
  return std::holds_alternative<ImageFileError>(result) ? std::get<ImageFileError>(result).message : "";
}

TEST(ImageFile, ReadsCrLfLfAndTrailingBlankLinesAndRefusesWhatIsNot253CloneLines) {
  for (const std::string& text : {JoinLines("\n"), JoinLines("\r\n"), JoinLines("\r\n") + "\r\n\r\n  \n",
                                  JoinLines("\n").substr(0, 253u * 47u - 1)}) {
    const auto result = ParseImageFile(text);
    ASSERT_TRUE(std::holds_alternative<CloneImage>(result));
    EXPECT_EQ(std::get<CloneImage>(result), kDefault);
  }
  std::string renamed = JoinLines("\n"), joined = renamed;
  renamed.replace(47u * 99u, 3, "XLN");
  joined[47u * 9u + 8u] = '0';  // the blank between the address and the data
  const std::pair<std::string, std::string> refused[] = {
      {"", "holds 0 lines"},
      {JoinLines("\n").substr(0, 252u * 47u), "holds 252 lines"},
      {JoinLines("\n") + kDefault.lines[1] + "\n", "holds 254 lines"},
      {"\n" + JoinLines("\n").substr(0, 252u * 47u), "Line 1 "},  // a blank line inside counts
      {"TALVIREX MEM V0.91\r\n", "holds 1 line;"},
      {renamed, "Line 100 "},
      {joined, "Line 10 "},
  };
  for (const auto& [text, part] : refused) EXPECT_NE(Refusal(text).find(part), std::string::npos) << part;
}

// tests/data/image: a stored read (sample.img) and damaged copies of it.
TEST(LoadImageFile, RefusesLinesOutOfPlaceOrDamagedNamingThem) {
  const std::string kNotWhole = " of the file is not a whole clone line (\"CLN\", the address, 32 hex digits, \"~\" and the checksum).";
  const std::pair<const char*, std::string> cases[] = {
      {"swapped.img", "Line 66 of the file has the address 0420 where line 66 of an image has 0410: "
                      "lines are missing or out of order."},
      {"bad-checksums.img", "Lines 13 and 200 of the file have a wrong checksum: the image is damaged."},
      {"short-line.img", "Line 100" + kNotWhole},
      {"lowercase.img", "Line 5" + kNotWhole},
      {"none.img", ""},  // missing: the message names it
  };
  for (const auto& [file, message] : cases) {
    const std::string refusal = Refusal(kImages / file);
    EXPECT_TRUE(message.empty() ? refusal.find(file) != std::string::npos : refusal == message) << refusal;
  }
  EXPECT_EQ(LineNumbersText({7, 40, 41}), "lines 7, 40 and 41");
}

TEST(LoadImageFile, RebuildsWrongChecksumsOnlyWhenAskedAndNamesTheLines) {
  std::vector<int> rebuilt;
  const auto repaired = LoadImageFile(kImages / "bad-checksums.img", &rebuilt);
  ASSERT_TRUE(std::holds_alternative<CloneImage>(repaired));
  EXPECT_EQ(rebuilt, (std::vector<int>{13, 200}));
  const auto sample = std::get<CloneImage>(LoadImageFile(kImages / "sample.img"));
  const auto& image = std::get<CloneImage>(repaired);
  for (int i = 1; i <= kCloneLineCount; ++i) {
    EXPECT_EQ(CheckCloneLine(image.lines[i], i), CloneLineFault::kNone) << i;
    // Only the checksum is new: the damaged content stays as the file has it.
    EXPECT_EQ(image.lines[i] == sample.lines[i], i != 13 && i != 200) << i;
  }
  rebuilt.clear();  // a misplaced line is no checksum fault: it stays refused
  EXPECT_NE(Refusal(kImages / "swapped.img", &rebuilt), "");
  EXPECT_TRUE(rebuilt.empty());

  const TempDir dir;  // and what ImageFileText writes reads back
  WriteBytes(dir / "scanner.img", ImageFileText(kDefault));
  EXPECT_EQ(std::get<CloneImage>(LoadImageFile(dir / "scanner.img")), kDefault);
}

}  // namespace
}  // namespace talvirex::testing
