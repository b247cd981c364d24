// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's end of a pseudo-terminal in tests: opens a device path raw (no echo, no CR/LF
// translation) and exchanges CR-ended messages with a deadline, so a silent peer fails a test
// instead of hanging it.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>

namespace talvirex::testing {

class RawClient {
 public:
  explicit RawClient(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
    termios settings{};
    if (fd_ >= 0 && tcgetattr(fd_, &settings) == 0) {
      cfmakeraw(&settings);
      tcsetattr(fd_, TCSANOW, &settings);
    }
  }
  ~RawClient() {
    if (fd_ >= 0) ::close(fd_);
  }
  RawClient(const RawClient&) = delete;
  RawClient& operator=(const RawClient&) = delete;

  bool is_open() const { return fd_ >= 0; }

  /// Writes `message` followed by CR.
  bool Send(const std::string& message) {
    const std::string bytes = message + '\r';
    return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }

  /// The next message without its CR; nothing when none arrives within `timeout_ms` or the peer
  /// went away (then `hung_up()` is true).
  std::optional<std::string> Receive(int timeout_ms = 2000) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (true) {
      if (const auto end = buffer_.find('\r'); end != std::string::npos) {
        std::string message = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        return message;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                            until - std::chrono::steady_clock::now())
                            .count();
      if (left <= 0) return std::nullopt;
      pollfd watch{fd_, POLLIN, 0};
      if (::poll(&watch, 1, static_cast<int>(left)) <= 0) continue;
      char chunk[512];
      const ssize_t count = ::read(fd_, chunk, sizeof chunk);
      if (count <= 0) {
        hung_up_ = true;
        return std::nullopt;
      }
      buffer_.append(chunk, static_cast<std::size_t>(count));
    }
  }

  bool hung_up() const { return hung_up_; }

 private:
  int fd_;
  std::string buffer_;
  bool hung_up_ = false;
};

}  // namespace talvirex::testing
