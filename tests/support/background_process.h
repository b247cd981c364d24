// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real process running beside the test (the `talvirex` binary, or a tool found on the PATH): its
// first line of standard output (the virtual scanner's device path) can be read at start and the
// rest with `Output`; its error stream goes to a file the test can read while it runs.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

extern char** environ;

namespace talvirex::testing {

class BackgroundProcess {
 public:
  /// Starts `binary args...` with TALVIREX_HOME = `home`, standard input from `input` (empty:
  /// /dev/null); `first_line`: wait for the first output line (a device path) before returning.
  BackgroundProcess(const std::string& binary, const std::vector<std::string>& args,
                    const std::filesystem::path& home, const std::filesystem::path& err_path,
                    bool first_line, const std::string& input = {})
      : err_path_(err_path) {
    std::vector<std::string> argv = {binary};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (auto& arg : argv) pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    std::vector<std::string> env_text = {"TALVIREX_HOME=" + home.string()};
    for (char** e = environ; *e != nullptr; ++e) {
      if (std::string(*e).rfind("TALVIREX_HOME=", 0) != 0) env_text.emplace_back(*e);
    }
    std::vector<char*> env;
    for (auto& text : env_text) env.push_back(text.data());
    env.push_back(nullptr);
    int out[2];
    if (pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO,
                                     input.empty() ? "/dev/null" : input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err_path_.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawnp(&pid_, binary.c_str(), &actions, nullptr, pointers.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    out_ = fdopen(out[0], "r");
    if (!first_line) return;
    char line[512] = {};
    if (out_ != nullptr && fgets(line, sizeof line, out_) != nullptr) first_line_ = line;
    if (!first_line_.empty() && first_line_.back() == '\n') first_line_.pop_back();
  }
  ~BackgroundProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      Wait();
    }
    if (out_ != nullptr) fclose(out_);
  }
  BackgroundProcess(const BackgroundProcess&) = delete;
  BackgroundProcess& operator=(const BackgroundProcess&) = delete;

  const std::string& first_line() const { return first_line_; }
  void Signal(int signal) const {
    if (pid_ > 0) kill(pid_, signal);
  }
  /// The exit status; -1 when it died of a signal.
  int Wait() {
    int raw = 0;
    if (pid_ <= 0) return status_;
    if (waitpid(pid_, &raw, 0) == pid_) {
      pid_ = -1;
      status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    return status_;
  }
  std::string err() const { return ReadBytes(err_path_); }
  /// What the process writes to standard output from now until it closes it.
  std::string Output() {
    std::string out;
    char chunk[4096];
    for (std::size_t n; out_ != nullptr && (n = fread(chunk, 1, sizeof chunk, out_)) > 0;) {
      out.append(chunk, n);
    }
    return out;
  }

  /// Polls the error stream until `text` appears in it or `timeout_ms` passes.
  bool WaitForErr(const std::string& text, int timeout_ms) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (std::chrono::steady_clock::now() < until) {
      if (err().find(text) != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

 private:
  pid_t pid_ = -1;
  int status_ = -1;
  FILE* out_ = nullptr;
  std::string first_line_;
  std::filesystem::path err_path_;
};

}  // namespace talvirex::testing
