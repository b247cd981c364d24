// SPDX-License-Identifier: GPL-3.0-or-later
// The virtual scanner's side of clone mode fed bytes and time, against the traces in
// tests/data/scanner/*.trace. Its runner on a pseudo-terminal, with every fault, is in the read,
// send and restore command tests against `talvirex scanner` and in the serial link's tests.
//
// A trace holds the events fed to a session and, indented beneath each, what the session wrote in
// answer; the runner feeds the events and writes the trace anew, which must come out as the file
// holds it (TALVIREX_UPDATE_GOLDEN=1 rewrites it):
//   == title
//   session slave|master [refuse-once=N,..] [refuse-always=N,..] [baud=B] [repeat=MS] [timeout=MS]
//           [late=N] [late-by=MS] [store=arrival]   (the first answer to line N comes MS late)
//   at T bytes TEXT             bytes arriving at T ms (\r \n escapes)
//   at T lines FIRST LAST [P]   the image's lines FIRST..LAST, each with its CR, in pieces of P
//   at T tick                   the session's timer at T
//   ?                           the session's state, shown as "  = ..."

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>

#include "scanner/clone_lines.h"
#include "scanner/scanner_session.h"
#include "support/golden.h"

namespace talvirex::scanner {
namespace {

const std::vector<std::string> kImage = DefaultImageLines();

std::set<int> Numbers(const std::string& list) {
  std::set<int> numbers;
  std::istringstream in(list);
  for (std::string item; std::getline(in, item, ',');) numbers.insert(std::stoi(item));
  return numbers;
}

ScannerSession NewSession(const std::string& line) {
  std::istringstream words(line);
  std::string role, option;
  words >> role >> role;
  Faults faults;
  Timing timing;
  while (words >> option) {
    const std::string name = option.substr(0, option.find('=')),
                      value = option.substr(name.size() + 1);
    if (name == "refuse-once") faults.refuse_once = Numbers(value);
    if (name == "refuse-always") faults.refuse_always = Numbers(value);
    if (name == "baud") timing.wire_baud = std::stoi(value);
    if (name == "repeat") timing.mdl_repeat_ms = std::stoi(value);
    if (name == "timeout") timing.answer_timeout_ms = std::stoi(value);
    if (name == "late") faults.late_line = std::stoi(value);
    if (name == "late-by") faults.late_by_ms = std::stoi(value);
    if (name == "store") faults.store_by_arrival = value == "arrival";
  }
  return ScannerSession(role == "master" ? Role::kMaster : Role::kSlave, faults, kImage, timing);
}

// What the session wrote, one write a line; a long answer shows its first and last four.
std::string Written(const std::vector<std::string>& writes, bool hang_up) {
  std::string text;
  for (std::size_t i = 0; i < writes.size(); ++i) {
    if (writes.size() > 10 && i == 4) {
      text += "  ... " + std::to_string(writes.size() - 8) + " more\n";
      i = writes.size() - 5;
      continue;
    }
    text += "  > " + testing::Escaped(writes[i]) + "\n";
  }
  return text + (hang_up ? "  hang up\n" : "");
}

std::string State(const ScannerSession& session) {
  const char* kOutcomes[] = {"running", "complete", "failed", "disconnected"};
  const Counters& c = session.counters();
  std::string received = "received " + std::to_string(session.received().size());
  if (!session.received().empty()) {
    const bool in_order =
        std::equal(session.received().begin(), session.received().end(), kImage.begin());
    received += in_order ? " in order" : " out of order";
  }
  return "  = " + std::string(kOutcomes[static_cast<int>(session.outcome())]) + ", " + received +
         ", done " + std::to_string(c.lines_done) + ", refused " + std::to_string(c.refused) +
         ", resent " + std::to_string(c.resent_on_timeout) + ", deadline " +
         std::to_string(session.NextDeadline()) +
         (session.failure().empty() ? "" : ", failure: " + session.failure()) + "\n";
}

class SessionTrace : public ::testing::TestWithParam<std::string> {};

TEST_P(SessionTrace, AnswersAsTraced) {
  std::optional<ScannerSession> session;
  testing::ExpectTrace("scanner/" + GetParam() + ".trace", [&](const std::string& line) {
    if (line.starts_with("session ")) {
      session.emplace(NewSession(line));
      const Effects started = session->Start(0);
      return Written(started.writes, started.hang_up);
    }
    if (!session) {
      ADD_FAILURE() << "an event before the first session: " << line;
      return std::string();
    }
    if (line == "?") return State(*session);
    std::istringstream words(line);
    std::string at, what;
    Millis now = 0;
    words >> at >> now >> what;
    std::string bytes;
    std::size_t piece = 1 << 20;
    if (what == "bytes") {
      std::getline(words >> std::ws, bytes);
      bytes = testing::Unescaped(bytes);
    } else if (what == "lines") {
      int first = 0, last = 0;
      words >> first >> last >> piece;
      for (int n = first; n <= last; ++n) bytes += kImage[static_cast<std::size_t>(n - 1)] + "\r";
    }
    Effects all;
    for (std::size_t at_byte = 0; at_byte < bytes.size(); at_byte += piece) {
      const Effects more = session->OnBytes(std::string_view(bytes).substr(at_byte, piece), now);
      all.writes.insert(all.writes.end(), more.writes.begin(), more.writes.end());
      all.hang_up = all.hang_up || more.hang_up;
    }
    if (what == "tick") all = session->OnTick(now);
    return Written(all.writes, all.hang_up);
  });
}

INSTANTIATE_TEST_SUITE_P(Scanner, SessionTrace, ::testing::Values("slave", "master"));

}  // namespace
}  // namespace talvirex::scanner
