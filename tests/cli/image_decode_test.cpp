// `talvirex image` and `talvirex decode`: the real program on real files. The codec's rules are the
// core's tests; here, that the commands feed it the files and write its results.

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "core/image/image_test_util.h"
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

using testing::BytesText;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string kSample = std::string(TALVIREX_TEST_DATA) + "/codec/sample.s2c";

class ImageDecodeCommands : public ::testing::Test {
 protected:
  testing::CommandResult Talvirex(const std::vector<std::string>& args) {
    return testing::RunCommand(TALVIREX_BINARY, args, dir_ / "home");
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  CloneImage ParseImage(const std::string& text) {
    auto parsed = ParseImageFile(text);
    EXPECT_TRUE(std::holds_alternative<CloneImage>(parsed));
    return std::holds_alternative<CloneImage>(parsed) ? std::get<CloneImage>(parsed) : CloneImage{};
  }
  Workspace LoadChannels(const std::string& path) {
    Workspace ws;
    testing::ScriptedUi ui;
    EXPECT_FALSE(ReadChannelFile(ReadBytes(path), ws, ui).has_value()) << path;
    return ws;
  }

  TempDir dir_;
};

TEST_F(ImageDecodeCommands, ImageWritesTheLinesASendWouldTransmitOnItsBase) {
  const auto plain = Talvirex({"image", kSample});
  ASSERT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(BytesText(ParseImage(plain.out), 0x0400, 3), "46590A");  // channel 1: 162.55 MHz

  CloneImage base = testing::DefaultImage();
  base.lines[1] = FinishCloneLine("CLN 0000 0123456789ABCDEF0123456789ABCDEF");
  WriteBytes(dir_ / "base.img", ImageFileText(base));
  const auto run = Talvirex({"image", kSample, "--base", Path("base.img"), "-o", Path("sent.img")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  const CloneImage sent = ParseImage(ReadBytes(dir_ / "sent.img"));
  EXPECT_EQ(sent.lines[1], base.lines[1]);
  EXPECT_EQ(BytesText(sent, 0x0400, 3), "46590A");
}

TEST_F(ImageDecodeCommands, DecodeOfAnImageGivesTheChannelsBack) {
  WriteBytes(dir_ / "sample.img", Talvirex({"image", kSample}).out);
  const auto run = Talvirex({"decode", Path("sample.img"), "-o", Path("back.s2c")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const Workspace back = LoadChannels(Path("back.s2c"));
  EXPECT_EQ(back.table.At(0, 1, kFieldFrequency), "162.5500");
  EXPECT_EQ(back.table.At(0, 1, kFieldSubtone), "13");
  EXPECT_EQ(Talvirex({"decode", Path("sample.img")}).out, ReadBytes(dir_ / "back.s2c"));
}

TEST_F(ImageDecodeCommands, DecodeShowsBank1AsTheDesktopSaveWould) {
  CloneImage image = testing::DefaultImage();
  image.lines[65] = FinishCloneLine("CLN 0400 45AF01" + std::string(26, '0'));
  WriteBytes(dir_ / "one.img", ImageFileText(image));
  const auto run = Talvirex({"decode", Path("one.img")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\r\n1,\"145.5050\""), std::string::npos);
  // Bank 1 went through the grid: its empty rows come back blank; bank 2 keeps the decoded texts.
  EXPECT_NE(run.out.find("\r\n2,\"000.0000\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("\r\n21,\"000.0000\",\"          \",\"0\",\"1\",\"0\",\"0\",\"0\"\r\n"),
            std::string::npos);
}

TEST_F(ImageDecodeCommands, RefuseWhatTheyCannotRead) {
  const std::string short_text = ImageFileText(testing::DefaultImage()).substr(0, 252u * 47u);
  WriteBytes(dir_ / "short.img", short_text);
  const struct {
    std::vector<std::string> args;
    int status;
    const char* message;
  } cases[] = {
      {{"decode", Path("short.img"), "-o", Path("x.s2c")}, 2, "252 lines"},
      {{"decode", kSample}, 2, ""},
      {{"image", kSample, "--base", Path("short.img")}, 2, "253 clone lines"},
      {{"image"}, 1, ""},
  };
  for (const auto& c : cases) {
    const auto run = Talvirex(c.args);
    EXPECT_EQ(run.status, c.status) << ::testing::PrintToString(c.args);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(dir_ / "x.s2c"));
}

// Every command that takes an image file refuses one with a line out of place or damaged, naming
// the line, before it writes or sends anything: the port given does not exist, so a command that
// went on to send would end with status 3.
TEST_F(ImageDecodeCommands, EveryCommandRefusesAnImageWithLinesOutOfPlaceOrDamaged) {
  const std::string data = std::string(TALVIREX_TEST_DATA) + "/image/";
  const std::string swapped = data + "swapped.img";
  const std::string damaged = data + "bad-checksums.img";
  const std::string port = Path("no-such-port");
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"decode", swapped, "-o", Path("out")}, "talvirex decode: Line 66 of the file has the address"},
      {{"image", kSample, "--base", damaged, "-o", Path("out")},
       "talvirex image: Lines 13 and 200 of the file have a wrong checksum"},
      {{"send", kSample, "--base", swapped, "--port", port, "--yes"}, "talvirex send: Line 66 "},
      {{"restore", swapped, "--port", port, "--yes"}, "talvirex restore: Line 66 "},
      {{"restore", damaged, "--port", port, "--yes"},
       "talvirex restore: Lines 13 and 200 of the file have a wrong checksum: the image is "
       "damaged.\nNothing was sent. To send it anyway with fresh checksums, add "
       "--repair-checksums.\n"},
      {{"restore", swapped, "--port", port, "--yes", "--repair-checksums"},
       "talvirex restore: Line 66 "},
  };
  for (const auto& c : cases) {
    const auto run = Talvirex(c.args);
    EXPECT_EQ(run.status, 2) << ::testing::PrintToString(c.args) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(dir_ / "out"));
}

}  // namespace
}  // namespace talvirex
