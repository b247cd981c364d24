// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The virtual scanner on a pseudo-terminal of its own, run on a thread of its own: the test opens
// `device().path()` as the program's serial port and collects the end of the run with `Wait`.
// For test programs that link talvirex_scanner.

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "scanner/clone_lines.h"
#include "scanner/pty_runner.h"

namespace talvirex::testing {

class RunningScanner {
 public:
  RunningScanner(scanner::Role role, scanner::Faults faults,
                 std::vector<std::string> image = scanner::DefaultImageLines(),
                 scanner::Timing timing = {.mdl_repeat_ms = 100})
      : session_(role, std::move(faults), std::move(image), timing) {
    std::string error;
    device_ = scanner::PtyDevice::Create(error);
    EXPECT_NE(device_, nullptr) << error;
  }
  // A run still going is told to stop and waited for: the thread must not outlive the device.
  ~RunningScanner() {
    stop_ = true;
    if (end_.valid()) end_.wait();
  }
  RunningScanner(const RunningScanner&) = delete;
  RunningScanner& operator=(const RunningScanner&) = delete;

  bool ready() const { return device_ != nullptr; }

  /// Runs the session until it ends, nothing moves for `idle_timeout_ms` (0: no limit) or `Stop`
  /// is called; `linger_ms` is the wait for the program to take the last message.
  void Start(scanner::Millis idle_timeout_ms = 3000, scanner::Millis linger_ms = 500) {
    end_ = std::async(std::launch::async, [this, idle_timeout_ms, linger_ms] {
      scanner::RunOptions options;
      options.idle_timeout_ms = idle_timeout_ms;
      options.linger_ms = linger_ms;
      options.should_stop = [this] { return stop_.load(); };
      return scanner::RunSession(session_, *device_, options);
    });
  }
  /// Asks a run to end; it notices within about 50 ms.
  void Stop() { stop_ = true; }
  scanner::RunEnd Wait() { return end_.get(); }

  scanner::PtyDevice& device() { return *device_; }
  const scanner::ScannerSession& session() const { return session_; }

 private:
  scanner::ScannerSession session_;
  std::unique_ptr<scanner::PtyDevice> device_;
  std::atomic<bool> stop_ = false;
  std::future<scanner::RunEnd> end_;
};

}  // namespace talvirex::testing
