// `talvirex image` and `talvirex decode`: the real program on real files.

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "files/channel_file.h"
#include "image/clone_line.h"
#include "image/image_file.h"
#include "model/channel_table.h"
#include "model/frequency.h"
#include "support/fake_ports.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string kSample = std::string(TALVIREX_TEST_DATA) + "/codec/sample.s2c";

using Outcome = testing::CommandResult;

class ImageDecodeCommands : public ::testing::Test {
 protected:
  Outcome Talvirex(const std::vector<std::string>& args) {
    return testing::RunCommand(TALVIREX_BINARY, args, dir_ / "home");
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  CloneImage LoadImage(const std::string& name) {
    auto loaded = LoadImageFile(dir_ / name);
    EXPECT_TRUE(std::holds_alternative<CloneImage>(loaded));
    return std::holds_alternative<CloneImage>(loaded) ? std::get<CloneImage>(loaded) : CloneImage{};
  }

  Workspace LoadChannels(const std::string& path) {
    Workspace ws;
    testing::ScriptedUi ui;
    EXPECT_FALSE(ReadChannelFile(ReadBytes(path), ws, ui).has_value()) << path;
    return ws;
  }

  static std::string Byte(const CloneImage& image, int address) {
    return image.lines[address / 16 + 1].substr(9 + 2 * (address % 16), 2);
  }

  TempDir dir_;
};

TEST_F(ImageDecodeCommands, ImageWritesTheLinesASendWouldTransmit) {
  const Outcome run = Talvirex({"image", kSample, "-o", Path("sample.img")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.out.empty());
  const CloneImage image = LoadImage("sample.img");
  for (int i = 1; i <= kCloneLineCount; ++i) {
    ASSERT_EQ(image.lines[i].size(), 46u) << i;
    EXPECT_EQ(FinishCloneLine(image.lines[i]), image.lines[i]) << i;
  }
  // Channel 1 of the sample is the 162.55 MHz channel; channel 7 holds "80", which a send clamps
  // to 54 MHz; bank 2's priority channel is 21.
  EXPECT_EQ(Byte(image, 0x0400) + Byte(image, 0x0401) + Byte(image, 0x0402), "46590A");
  EXPECT_EQ(Byte(image, 0x00E0), "70");
  EXPECT_EQ(Byte(image, 0x0700), "8C");
  EXPECT_EQ(Byte(image, 0x0412) + Byte(image, 0x0413) + Byte(image, 0x0414), "421C00");
  EXPECT_EQ(Byte(image, 0x00D1), "14");
  EXPECT_EQ(Byte(image, 0x00CE), "08");  // from the default image

  const Outcome to_stdout = Talvirex({"image", kSample});
  ASSERT_EQ(to_stdout.status, 0) << to_stdout.err;
  EXPECT_EQ(to_stdout.out, ReadBytes(dir_ / "sample.img"));
}

TEST_F(ImageDecodeCommands, ImageOnABaseKeepsItsUninterpretedBytes) {
  CloneImage base;
  BuildDefaultImage(base);
  base.lines[1] = FinishCloneLine("CLN 0000 0123456789ABCDEF0123456789ABCDEF");
  base.lines[13] = FinishCloneLine("CLN 00C0 00000000000000000000FFFF03AA5700");
  base.lines[28] = FinishCloneLine("CLN 01B0 00000000000000000909000000000000");
  base.lines[100] = "CLN 0630 1234";  // a damaged line is mended, not passed on broken
  WriteBytes(dir_ / "base.img", ImageFileText(base));
  const Outcome run =
      Talvirex({"image", kSample, "--base", Path("base.img"), "-o", Path("sent.img")});
  ASSERT_EQ(run.status, 0) << run.err;
  const CloneImage sent = LoadImage("sent.img");
  EXPECT_EQ(sent.lines[1], base.lines[1]);
  EXPECT_EQ(sent.lines[28], base.lines[28]);
  EXPECT_EQ(Byte(sent, 0x00CE), "57");
  EXPECT_EQ(Byte(sent, 0x00CD), "A1");  // AutoLight is on in the sample; the high nibble stays
  EXPECT_EQ(sent.lines[100].size(), 46u);
  EXPECT_EQ(FinishCloneLine(sent.lines[100]), sent.lines[100]);
}

TEST_F(ImageDecodeCommands, DecodeOfAnImageGivesTheChannelsBack) {
  ASSERT_EQ(Talvirex({"image", kSample, "-o", Path("sample.img")}).status, 0);
  ASSERT_EQ(Talvirex({"normalize", kSample, "-o", Path("normalized.s2c")}).status, 0);
  const Outcome run = Talvirex({"decode", Path("sample.img"), "-o", Path("back.s2c")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;

  const Workspace sent = LoadChannels(Path("normalized.s2c"));
  const Workspace back = LoadChannels(Path("back.s2c"));
  for (int n = 1; n <= kChannelCount; ++n) {
    const int bank = BankOf(n), row = RowOf(n);
    const auto field = [&](const Workspace& ws, int f) { return ws.table.At(bank, row, f); };
    if (sent.table.FrequencyValue(bank, row) == 0) {
      EXPECT_EQ(back.table.FrequencyValue(bank, row), 0) << n;
      continue;
    }
    EXPECT_EQ(field(back, kFieldFrequency), FormatFrequencyPadded(field(sent, kFieldFrequency)))
        << n;
    std::string tag;
    for (const char c : field(sent, kFieldTag)) {  // one blank for a character the scanner lacks
      const auto byte = static_cast<unsigned char>(c);
      if (byte < 0x80) tag += c;
      if (byte >= 0xC0) tag += ' ';
    }
    tag.erase(tag.find_last_not_of(' ') + 1);
    std::string back_tag = field(back, kFieldTag);
    EXPECT_EQ(back_tag.substr(0, back_tag.find_last_not_of(' ') + 1), tag) << n;
    for (const int f : {kFieldDelay, kFieldLockOut, kFieldSubtone, kFieldBeepAlert, kFieldAtt}) {
      EXPECT_EQ(field(back, f), field(sent, f)) << n << " field " << f;
    }
  }
  for (int b = 0; b < kScannerBanks; ++b) EXPECT_EQ(back.priority[b], sent.priority[b]);
  for (int i = 0; i <= 13; ++i) EXPECT_EQ(back.scanner_settings[i], sent.scanner_settings[i]);

  // Written to standard output, the same bytes.
  const Outcome to_stdout = Talvirex({"decode", Path("sample.img")});
  EXPECT_EQ(to_stdout.status, 0);
  EXPECT_EQ(to_stdout.out, ReadBytes(dir_ / "back.s2c"));
}

TEST_F(ImageDecodeCommands, DecodeShowsBank1AsTheDesktopSaveWould) {
  CloneImage image;
  BuildDefaultImage(image);
  WriteBytes(dir_ / "default.img", ImageFileText(image));
  const Outcome run = Talvirex({"decode", Path("default.img")});
  ASSERT_EQ(run.status, 0) << run.err;
  // Bank 1 went through the grid: its empty rows come back blank; bank 2 keeps the decoded texts.
  EXPECT_NE(run.out.find("\r\n1,\"000.0000\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("\r\n21,\"000.0000\",\"          \",\"0\",\"1\",\"0\",\"0\",\"0\"\r\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("PRCH1 21\r\n"), std::string::npos);
}

TEST_F(ImageDecodeCommands, DecodeRefusesWhatIsNotAnImage) {
  CloneImage image;
  BuildDefaultImage(image);
  std::string short_text;
  for (int i = 1; i < kCloneLineCount; ++i) short_text += image.lines[i] + "\n";
  WriteBytes(dir_ / "short.img", short_text);
  const Outcome run = Talvirex({"decode", Path("short.img"), "-o", Path("x.s2c")});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("252 lines"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(dir_ / "x.s2c"));

  const Outcome channel_file = Talvirex({"decode", kSample});
  EXPECT_EQ(channel_file.status, 2);
  EXPECT_TRUE(channel_file.out.empty());

  EXPECT_EQ(Talvirex({"decode", Path("missing.img")}).status, 2);
  EXPECT_EQ(Talvirex({"decode"}).status, 1);
}

TEST_F(ImageDecodeCommands, DecodeOfADamagedImageWarnsAndGoesOn) {
  CloneImage image;
  BuildDefaultImage(image);
  image.lines[65] = "CLN 0400 45AF01";  // cut short after the first record
  WriteBytes(dir_ / "damaged.img", ImageFileText(image));
  const Outcome run = Talvirex({"decode", Path("damaged.img")});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.err.find("hexsmeter problem"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("\r\n1,\"145.5050\""), std::string::npos);
}

TEST_F(ImageDecodeCommands, ImageRefusesABadBaseOrChannelFile) {
  WriteBytes(dir_ / "bad.img", "CLN 0000\n");
  const Outcome bad_base = Talvirex({"image", kSample, "--base", Path("bad.img")});
  EXPECT_EQ(bad_base.status, 2);
  EXPECT_NE(bad_base.err.find("253 clone lines"), std::string::npos);
  EXPECT_EQ(Talvirex({"image", Path("missing.s2c")}).status, 2);
  EXPECT_EQ(Talvirex({"image"}).status, 1);
}

}  // namespace
}  // namespace talvirex
