// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A trace of one transfer for cable trouble: every message in both directions and every status
// change, each with the time of day. Kept in the program folder's "traces" folder; the last 10
// traces are kept, older ones removed.
//
// Form, one event a line: "16:50:01 > MDL\r" for what the program sent, "16:50:01 < SC200SPOR\r"
// for what it received (in the pieces the port delivered them), "16:50:01 = Waiting..." for a
// status text. Control characters are written as \r, \n or \xNN so a trace is always plain text.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "ports/clock.h"

namespace talvirex {

inline constexpr int kTracesKept = 10;

class TransferTrace {
 public:
  explicit TransferTrace(const Clock& clock) : clock_(clock) {}

  void Sent(std::string_view bytes) { Add('>', bytes); }
  void Received(std::string_view bytes) { Add('<', bytes); }
  void Status(std::string_view text) { Add('=', text); }

  const std::string& Text() const { return text_; }
  bool Empty() const { return text_.empty(); }

 private:
  void Add(char direction, std::string_view bytes);

  const Clock& clock_;
  std::string text_;
};

/// Writes the trace to `path`. True on success.
bool WriteTrace(const TransferTrace& trace, const std::filesystem::path& path);

/// Writes the trace to `<program folder>/traces/<YYYY-MM-DD_hh-mm-ss>_<kind>.trace` and removes
/// all but the newest 10 traces there. Returns the path written, or nothing on failure.
std::optional<std::filesystem::path> KeepTrace(const TransferTrace& trace,
                                               const std::filesystem::path& program_folder,
                                               const LocalTime& time, std::string_view kind);

}  // namespace talvirex
