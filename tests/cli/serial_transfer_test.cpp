// SPDX-License-Identifier: GPL-3.0-or-later
// `talvirex read`, `send` and `restore`: the real binary and its QSerialPort driver against the
// virtual scanner (`talvirex scanner`) over a pseudo-terminal. Pacing is 10 ms and the master
// repeats "MDL" every 50 ms, so a full exchange takes a few seconds at most; every wait has a
// generous deadline, and the scanner's own --timeout ends any exchange that stalls.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "scanner/clone_lines.h"
#include "scanner/pty_runner.h"
#include "support/background_process.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace talvirex {
namespace {

using testing::BackgroundProcess;
using testing::CommandResult;
using testing::ReadBytes;
using testing::RunCommand;
using testing::TempDir;
using testing::WriteBytes;

const std::string kSample = std::string(TALVIREX_TEST_DATA) + "/codec/sample.s2c";

class SerialTransfer : public ::testing::Test {
 protected:
  // The virtual scanner in `role` with `faults`; its device path is `scanner->first_line()`.
  std::unique_ptr<BackgroundProcess> StartScanner(const std::string& role,
                                                  std::vector<std::string> faults) {
    std::vector<std::string> args = {"scanner", "--role", role, "--timeout", "15000"};
    if (role == "master") args.insert(args.end(), {"--repeat", "50"});
    args.insert(args.end(), faults.begin(), faults.end());
    auto scanner = std::make_unique<BackgroundProcess>(TALVIREX_BINARY, args, home_.path(),
                                                       dir_ / "scanner.err", true);
    EXPECT_TRUE(scanner->first_line().starts_with("/dev/")) << scanner->first_line();
    return scanner;
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  CommandResult Talvirex(const std::vector<std::string>& args, const std::string& input = {}) {
    return RunCommand(TALVIREX_BINARY, args, home_.path(), input);
  }
  // A scanner memory that differs from the default image: the sample written into it, with one
  // byte the program does not interpret changed.
  std::filesystem::path CustomImage() {
    auto lines = scanner::ParseImageText(Talvirex({"image", kSample}).out).lines;
    std::string bytes;
    for (std::size_t i = 9; i < 41; i += 2) {
      bytes += static_cast<char>(std::stoi(lines.back().substr(i, 2), nullptr, 16));
    }
    bytes.back() = static_cast<char>(bytes.back() ^ 0x5A);
    lines.back() = scanner::MakeLine(253, bytes);
    const auto path = dir_ / "scanner.img";
    WriteBytes(path, scanner::FormatImageText(lines));
    return path;
  }

  TempDir dir_;
  TempDir home_;
};

// A read despite link faults: damaged lines are refused and come again, a lost "OK" brings a line
// again, answered but not stored twice. It saves the channel file and the image, keeps a backup
// and a trace; the backup with a stale checksum on line 2, restored when asked to repair it, gets a
// fresh checksum on that line only, at the pacing the registry remembers.
TEST_F(SerialTransfer, AReadDespiteLinkFaultsLeavesABackupThatRestorePutsBackByteForByte) {
  WriteBytes(home_ / "registry.ini", "[Software\\Vorna\\TALVIRA\\settings]\ntimer1=10x\n");
  const auto image = CustomImage();
  auto master = StartScanner("master", {"--image", image.string(), "--corrupt", "1,40", "--chunk",
                                        "7", "--noise", "--lose-ok", "100,253"});
  WriteBytes(dir_ / "enter", "\n");
  const auto read = Talvirex({"read", "--port", master->first_line(), "-o", Path("read.s2c"),
                              "--image-out", Path("read.img"), "--trace", Path("read.trace")},
                             Path("enter"));
  ASSERT_EQ(read.status, 0) << read.err;
  ASSERT_EQ(master->Wait(), 0) << master->err();
  EXPECT_EQ(ReadBytes(Path("read.s2c")), Talvirex({"decode", image.string()}).out);
  EXPECT_EQ(ReadBytes(Path("read.img")), ReadBytes(image));
  for (const char* said :
       {"SportCat 200 file download:", "Press Enter", "Detected: Yes", "Rejected lines: 2"}) {
    EXPECT_NE(read.err.find(said), std::string::npos) << read.err;
  }
  EXPECT_EQ(read.out, "");
  EXPECT_NE(ReadBytes(Path("read.trace")).find("> SC200SPOR\\r"), std::string::npos);

  const auto backups = std::filesystem::directory_iterator(home_ / "backup");
  const std::filesystem::path backup = begin(backups)->path();
  ASSERT_TRUE(backup.filename().string().ends_with("_read.img"));
  std::string text = ReadBytes(backup);
  EXPECT_EQ(text, ReadBytes(image));
  const std::size_t line2 = text.find('\n') + 1;
  text[line2 + 42] = text[line2 + 42] == '0' ? '1' : '0';
  WriteBytes(dir_ / "stale.img", text);
  auto slave = StartScanner("slave", {"--out", Path("received.img")});
  const auto restore = Talvirex(
      {"restore", Path("stale.img"), "--port", slave->first_line(), "--yes", "--repair-checksums"});
  EXPECT_EQ(restore.status, 0) << restore.err;
  EXPECT_EQ(slave->Wait(), 0) << slave->err();
  EXPECT_EQ(ReadBytes(Path("received.img")), ReadBytes(image));
  EXPECT_NE(restore.err.find("talvirex restore: rebuilt the checksum of line 2\n"),
            std::string::npos)
      << restore.err;
  // The send's backup holds exactly what went out: the image with its checksum rebuilt.
  std::vector<std::string> sent;
  for (const auto& entry : std::filesystem::directory_iterator(home_ / "backup")) {
    if (entry.path().filename().string().ends_with("_send.img")) sent.push_back(ReadBytes(entry));
  }
  EXPECT_EQ(sent, std::vector<std::string>{ReadBytes(image)});
}

// A line the scanner refuses goes again; a scanner that then drops the link ends the send, and
// both sides say so.
TEST_F(SerialTransfer, ARefusedLineGoesAgainAndADroppedLinkEndsTheSend) {
  auto slave = StartScanner("slave", {"--refuse", "2", "--disconnect-after", "3"});
  const auto send = Talvirex({"send", kSample, "--port", slave->first_line(), "--yes"});
  EXPECT_EQ(send.status, 3) << send.err;
  EXPECT_NE(send.err.find("Not Good! Retry:1\n"), std::string::npos) << send.err;
  EXPECT_NE(send.err.find("Comport lost. Operation cancelled."), std::string::npos) << send.err;
  EXPECT_EQ(slave->Wait(), 3);
  EXPECT_NE(slave->err().find("3 lines acknowledged, 1 refused"), std::string::npos)
      << slave->err();
}

TEST_F(SerialTransfer, APortHeldByAReadIsInUseAndCtrlCStopsTheWaitForEnter) {
  auto scanner = StartScanner("master", {});
  const auto fifo = dir_ / "stdin";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // The fifo stays open for writing, so standard input neither ends nor delivers Enter.
  BackgroundProcess holder("/bin/sh", {"-c", "sleep 30 > '" + fifo.string() + "'"}, home_.path(),
                           dir_ / "holder.err", false);
  BackgroundProcess read(TALVIREX_BINARY, {"read", "--port", scanner->first_line()}, home_.path(),
                         dir_ / "read.err", false, fifo.string());
  ASSERT_TRUE(read.WaitForErr("Press Enter", 20000)) << read.err();
  const auto second = Talvirex({"read", "--port", scanner->first_line(), "--yes"});
  EXPECT_EQ(second.status, 3);
  EXPECT_NE(second.err.find("Comport already in use.\nSelect different comport."),
            std::string::npos)
      << second.err;
  read.Signal(SIGINT);
  EXPECT_EQ(read.Wait(), 130);
  EXPECT_NE(read.err().find("Operation cancelled by user."), std::string::npos) << read.err();
  EXPECT_EQ(read.err().find("MDL received 200."), std::string::npos) << read.err();
}

TEST_F(SerialTransfer, APortTheUserMayNotOpenIsNotInUseAndTheMessageNamesTheFix) {
  std::string error;
  auto device = scanner::PtyDevice::Create(error);
  ASSERT_TRUE(device) << error;
  std::string binary = TALVIREX_BINARY;
  std::vector<std::string> args = {"read", "--port", device->path(), "--yes"};
  if (::geteuid() == 0) {
    // Root opens any device: the program runs as "nobody", for whom the terminal is closed.
    if (!std::filesystem::exists("/usr/bin/setpriv")) GTEST_SKIP() << "setpriv is needed";
    args.insert(args.begin(), {"--reuid=65534", "--regid=65534", "--clear-groups", binary});
    binary = "/usr/bin/setpriv";
    std::filesystem::permissions(home_.path(), std::filesystem::perms::all);
  } else {
    ASSERT_EQ(::chmod(device->path().c_str(), 0), 0);
  }
  const auto result = RunCommand(binary, args, home_.path());
  EXPECT_EQ(result.status, 3) << result.err;
  EXPECT_NE(result.err.find("No permission to open the comport.\nYour user must be in the "
                            "'dialout' group: sudo adduser $USER dialout, then log in again."),
            std::string::npos)
      << result.err;
  EXPECT_EQ(result.err.find("Comport already in use."), std::string::npos) << result.err;
}

}  // namespace
}  // namespace talvirex
