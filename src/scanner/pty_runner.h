// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a `ScannerSession` on a pseudo-terminal: the program under test opens the terminal's device
// path as if it were the serial port the scanner's cable hangs on. A pseudo-terminal is not paced
// at any baud rate, so a whole exchange takes milliseconds.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "scanner/scanner_session.h"

namespace talvirex::scanner {

/// The pseudo-terminal: its controlling side, its device path, and one descriptor of the device
/// side held open by the scanner itself, so the controlling side never reads end-of-input while
/// the program opens and closes the device. Both sides are raw (no echo, no CR/LF translation).
class PtyDevice {
 public:
  /// Creates the pseudo-terminal; on failure returns nothing and sets `error`.
  static std::unique_ptr<PtyDevice> Create(std::string& error);
  ~PtyDevice();
  PtyDevice(const PtyDevice&) = delete;
  PtyDevice& operator=(const PtyDevice&) = delete;

  const std::string& path() const { return path_; }
  int master_fd() const { return master_fd_; }

  /// Makes `link` a symbolic link to the device path (an old symbolic link there is replaced; any
  /// other file there is an error). The link is removed again with the device.
  bool MakeLink(const std::string& link, std::string& error);

  /// Bytes written to the device side that the program has not read yet.
  int UnreadByPeer() const;

  /// Drops the link as a pulled cable would: the program's next read or write fails.
  void HangUp();

 private:
  PtyDevice() = default;

  int master_fd_ = -1;
  int slave_fd_ = -1;
  std::string path_;
  std::string link_;
};

enum class RunEnd {
  kFinished,     // the session ended (see its outcome): complete, failed or disconnected
  kIdleTimeout,  // nothing moved on the link for the idle timeout
  kStopped,      // `should_stop` said so
  kDeviceError,  // the pseudo-terminal failed
};

struct RunOptions {
  Millis idle_timeout_ms = 0;         // 0 = wait as long as it takes
  Millis linger_ms = 2000;            // after the last message: wait this long at most for the
                                      // program to take it before the device goes away
  std::function<bool()> should_stop;  // polled about every 50 ms; may be empty
};

/// Starts `session` and carries out its effects on `device` until it ends. Blocks.
RunEnd RunSession(ScannerSession& session, PtyDevice& device, const RunOptions& options);

}  // namespace talvirex::scanner
