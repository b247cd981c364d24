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

// Damaged lines are refused and come again; a lost "OK" brings a line again, answered but not
// stored twice.
TEST_F(SerialTransfer, ReadSavesTheChannelFileOfTheScannersMemoryDespiteLinkFaults) {
  const auto image = CustomImage();
  auto scanner = StartScanner("master", {"--image", image.string(), "--corrupt", "1,40", "--chunk",
                                         "7", "--noise", "--lose-ok", "100,253"});
  const auto out = dir_ / "read.s2c";
  const auto image_out = dir_ / "read.img";
  WriteBytes(dir_ / "enter", "\n");
  const auto result = Talvirex({"read", "--port", scanner->first_line(), "-o", out.string(),
                                "--image-out", image_out.string()},
                               (dir_ / "enter").string());
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(scanner->Wait(), 0) << scanner->err();
  EXPECT_EQ(ReadBytes(out), Talvirex({"decode", image.string()}).out);
  EXPECT_EQ(ReadBytes(image_out), ReadBytes(image));
  for (const char* said : {"SportCat 200 file download:", "Press Enter", "Rejected lines: 2"}) {
    EXPECT_NE(result.err.find(said), std::string::npos) << result.err;
  }
  EXPECT_EQ(result.out, "");
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

TEST_F(SerialTransfer, AReadLeavesABackupImageThatRestorePutsBackByteForByte) {
  WriteBytes(home_ / "registry.ini", "[Software\\Vorna\\TALVIRA\\settings]\ntimer1=10x\n");
  const auto image = CustomImage();
  auto master = StartScanner("master", {"--image", image.string()});
  const auto trace = dir_ / "read.trace";
  const auto read = Talvirex({"read", "--port", master->first_line(), "--yes", "-o",
                              (dir_ / "read.s2c").string(), "--trace", trace.string()});
  ASSERT_EQ(read.status, 0) << read.err;
  ASSERT_EQ(master->Wait(), 0) << master->err();

  std::vector<std::filesystem::path> backups;
  for (const auto& entry : std::filesystem::directory_iterator(home_ / "backup")) {
    if (entry.path().filename().string().ends_with("_read.img")) backups.push_back(entry.path());
  }
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(ReadBytes(backups[0]), ReadBytes(image));
  const std::string trace_text = ReadBytes(trace);
  EXPECT_NE(trace_text.find("< MDL\\r"), std::string::npos);
  EXPECT_NE(trace_text.find("> SC200SPOR\\r"), std::string::npos);
  EXPECT_NE(trace_text.find("= END received. Backup status: OK."), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(home_ / "traces"));

  // The backup with a stale checksum on line 2, sent when asked to repair it: only that line gets
  // a fresh one. The pacing is the one remembered in the registry.
  std::string text = ReadBytes(backups[0]);
  const std::size_t line2 = text.find('\n') + 1;
  text[line2 + 42] = text[line2 + 42] == '0' ? '1' : '0';
  WriteBytes(dir_ / "stale.img", text);
  const auto received = dir_ / "received.img";
  auto slave = StartScanner("slave", {"--out", received.string()});
  const auto restore = Talvirex({"restore", (dir_ / "stale.img").string(), "--port",
                                 slave->first_line(), "--yes", "--repair-checksums"});
  EXPECT_EQ(restore.status, 0) << restore.err;
  EXPECT_EQ(slave->Wait(), 0) << slave->err();
  EXPECT_EQ(ReadBytes(received), ReadBytes(image));
  EXPECT_NE(restore.err.find("talvirex restore: rebuilt the checksum of line 2\n"),
            std::string::npos)
      << restore.err;
}

}  // namespace
}  // namespace talvirex
