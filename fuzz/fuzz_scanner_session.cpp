// SPDX-License-Identifier: GPL-3.0-or-later
// The virtual scanner's state machine fed arbitrary bytes in arbitrary pieces and at arbitrary
// times, in both roles: it must never crash, never buffer without bound, and stay consistent.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "scanner/clone_lines.h"
#include "scanner/scanner_session.h"

using talvirex::scanner::Faults;
using talvirex::scanner::Millis;
using talvirex::scanner::Role;
using talvirex::scanner::ScannerSession;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  Faults faults;
  faults.noise = data[0] & 1;
  faults.chunk = (data[0] >> 1) & 7;
  faults.refuse_once = {1 + data[1] % 253};
  faults.corrupt_once = {1 + data[1] % 253};
  faults.lose_ok_once = {1 + data[1] % 253};
  faults.store_by_arrival = (data[0] >> 4) & 1;
  faults.late_line = (data[0] >> 5) & 1 ? 1 + data[1] % 253 : 0;
  talvirex::scanner::Timing timing;
  timing.wire_baud = (data[0] >> 6) & 1 ? 9600 : 0;
  static const auto image = talvirex::scanner::DefaultImageLines();
  for (Role role : {Role::kMaster, Role::kSlave}) {
    ScannerSession session(role, faults, image, timing);
    Millis now = 0;
    session.Start(now);
    std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    while (!rest.empty()) {
      const std::size_t piece = 1 + static_cast<std::uint8_t>(rest[0]) % 64;
      now += static_cast<std::uint8_t>(rest[0]) * 37;
      const auto taken = rest.substr(0, piece);
      rest.remove_prefix(taken.size());
      session.OnBytes(taken, now);
      session.OnTick(now);
      if (session.received().size() > 253) std::abort();
      if (session.counters().lines_done > 253) std::abort();
    }
  }
  return 0;
}
