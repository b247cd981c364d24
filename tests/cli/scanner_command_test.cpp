// `talvirex scanner`: the real binary on a real pseudo-terminal, with the test as the program.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "scanner/clone_lines.h"
#include "scanner/scanner_session.h"
#include "support/raw_client.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

extern char** environ;

namespace talvirex {
namespace {

using scanner::DefaultImageLines;
using testing::RawClient;
using testing::ReadBytes;
using testing::RunCommand;
using testing::TempDir;
using testing::WriteBytes;

// `talvirex scanner ARGS` in the background; its first line of output is the device path.
class ScannerProcess {
 public:
  ScannerProcess(const std::vector<std::string>& args, const std::filesystem::path& folder)
      : err_path_(folder / "scanner.err") {
    std::vector<std::string> argv = {TALVIREX_BINARY, "scanner"};
    argv.insert(argv.end(), args.begin(), args.end());
    argv.insert(argv.end(), {"--timeout", "5000"});
    std::vector<char*> pointers;
    for (auto& arg : argv) pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    int out[2];
    if (pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err_path_.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn(&pid_, TALVIREX_BINARY, &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    out_ = fdopen(out[0], "r");
    char line[256] = {};
    if (out_ != nullptr && fgets(line, sizeof line, out_) != nullptr) path_ = line;
    if (!path_.empty() && path_.back() == '\n') path_.pop_back();
  }
  ~ScannerProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      Wait();
    }
    if (out_ != nullptr) fclose(out_);
  }

  const std::string& path() const { return path_; }
  void Signal(int signal) { kill(pid_, signal); }
  int Wait() {
    int raw = 0;
    if (pid_ > 0 && waitpid(pid_, &raw, 0) == pid_) pid_ = -1;
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
  std::string err() const { return ReadBytes(err_path_); }

 private:
  pid_t pid_ = -1;
  FILE* out_ = nullptr;
  std::string path_;
  std::filesystem::path err_path_;
};

TEST(ScannerCommand, SlaveStoresASoundSendDespiteItsFaults) {
  TempDir dir;
  const auto out = dir / "received.img";
  ScannerProcess scanner(
      {"--role", "slave", "--out", out.string(), "--refuse", "5,253", "--noise", "--chunk", "16"},
      dir.path());
  ASSERT_TRUE(scanner.path().starts_with("/dev/")) << scanner.path();
  RawClient client(scanner.path());
  ASSERT_TRUE(client.Send("MDL"));
  std::vector<std::string> answers;
  for (auto answer = client.Receive(); answer && answer != "SC200SPOR"; answer = client.Receive()) {
    answers.push_back(*answer);
  }
  int refused = 0;
  for (const std::string& line : DefaultImageLines()) {
    std::optional<std::string> answer;
    do {
      client.Send(line);
      do answer = client.Receive();
      while (answer && *answer != "OK" && *answer != "NG");
      refused += answer == "NG";
    } while (answer == "NG");
    ASSERT_EQ(answer, "OK");
  }
  client.Send("END");
  EXPECT_EQ(scanner.Wait(), 0) << scanner.err();
  EXPECT_EQ(refused, 2);
  EXPECT_EQ(answers, std::vector<std::string>{std::string(scanner::kNoise)});
  EXPECT_EQ(ReadBytes(out), scanner::FormatImageText(DefaultImageLines()));
  EXPECT_NE(scanner.err().find("exchange complete"), std::string::npos);
}

TEST(ScannerCommand, MasterSendsTheGivenImageThroughItsLink) {
  TempDir dir;
  auto image = DefaultImageLines();
  image[39] =
      scanner::MakeLine(40, "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C\x0D\x0E\x0F\x10");
  WriteBytes(dir / "image.txt", scanner::FormatImageText(image));
  const auto link = dir / "ttyScanner";
  ScannerProcess scanner({"--role", "master", "--image", (dir / "image.txt").string(), "--link",
                          link.string(), "--corrupt", "40", "--repeat", "50"},
                         dir.path());
  RawClient client(link.string());
  ASSERT_TRUE(client.is_open());
  std::vector<std::string> lines;
  while (auto message = client.Receive()) {
    if (*message == "MDL" && lines.empty()) client.Send("SC200SPOR");
    if (message->starts_with("CLN")) {
      const bool sound = scanner::CheckLine(*message, static_cast<int>(lines.size()) + 1) ==
                         scanner::LineFault::kNone;
      if (sound) lines.push_back(*message);
      client.Send(sound ? "OK" : "NG");
    }
    if (*message == "END") break;
  }
  EXPECT_EQ(lines, image);
  EXPECT_EQ(scanner.Wait(), 0) << scanner.err();
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(ScannerCommand, DroppedLinkAndCtrlCEndWithTheirStatus) {
  TempDir dir;
  {
    ScannerProcess scanner({"--role", "slave", "--disconnect-after", "1"}, dir.path());
    RawClient client(scanner.path());
    client.Send("MDL");
    EXPECT_EQ(client.Receive(), "SC200SPOR");
    client.Send(DefaultImageLines()[0]);
    EXPECT_EQ(client.Receive(), "OK");
    EXPECT_EQ(client.Receive(), std::nullopt);
    EXPECT_EQ(scanner.Wait(), 3);
  }
  {
    const auto link = dir / "link";
    ScannerProcess scanner({"--role", "slave", "--link", link.string()}, dir.path());
    ASSERT_FALSE(scanner.path().empty());
    scanner.Signal(SIGINT);
    EXPECT_EQ(scanner.Wait(), 130);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
  }
}

TEST(ScannerCommand, RefusesUnfitOptionsAndImages) {
  TempDir dir;
  WriteBytes(dir / "short.img", "CLN 0000 00000000000000000000000000000000~07DD\r\n");
  const struct {
    std::vector<std::string> args;
    int status;
    const char* message;
  } cases[] = {
      {{}, 1, "need --role master or --role slave"},
      {{"--role", "both"}, 1, "need --role master or --role slave"},
      {{"--role", "master", "--refuse", "3"}, 1, "--refuse is for --role slave"},
      {{"--role", "master", "--wrong-model"}, 1, "--wrong-model is for --role slave"},
      {{"--role", "slave", "--corrupt", "3"}, 1, "--corrupt is for --role master"},
      {{"--role", "slave", "--refuse", "0"}, 1, "--refuse takes line numbers 1..253"},
      {{"--role", "slave", "--refuse", "3,,4"}, 1, "--refuse takes line numbers 1..253"},
      {{"--role", "slave", "--chunk", "0"}, 1, "--chunk takes a number 1..4096"},
      {{"--role", "slave", "--delay", "x"}, 1, "--delay takes a number 0..60000"},
      {{"--role", "master", "--image", (dir / "none.img").string()}, 2, "none.img"},
      {{"--role", "master", "--image", (dir / "short.img").string()},
       2,
       "is not a clone image: The file holds 1 line;"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"scanner"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto result = RunCommand(TALVIREX_BINARY, args, dir.path());
    EXPECT_EQ(result.status, c.status) << result.err;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");  // no device is made for a command that cannot run
  }
}

}  // namespace
}  // namespace talvirex
