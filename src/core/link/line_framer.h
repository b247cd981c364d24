// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cuts the bytes of the clone cable into messages. Every message on the cable ends with one
// carriage return (CR); the serial port hands over whatever has arrived, so a message can come in
// pieces and several messages can come in one piece. The framer keeps the unfinished rest for the
// next delivery and never waits for more.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace talvirex {

class LineFramer {
 public:
  /// Input without a CR beyond this many bytes cannot be a message of the clone exchange (the
  /// longest is a 46-character clone line); it is dropped as noise.
  static constexpr std::size_t kMaxPendingBytes = 4096;

  /// Adds received bytes (any values, NUL included).
  void Feed(std::string_view bytes);

  /// The next complete message without its CR, or nothing until a CR has arrived. A line feed
  /// that follows a CR (some cables add one) is skipped at the start of the next message.
  std::optional<std::string> Next();

  /// Forgets everything received and not yet taken.
  void Clear();

  /// Bytes received and not yet handed out as a message.
  std::size_t pending() const { return buffer_.size() - start_; }
  /// Bytes dropped as noise because no CR followed them in time, since construction.
  std::size_t dropped() const { return dropped_; }

 private:
  std::string buffer_;
  std::size_t start_ = 0;    // first byte not yet handed out
  std::size_t scanned_ = 0;  // bytes from start_ on known to hold no CR
  std::size_t dropped_ = 0;
};

}  // namespace talvirex
