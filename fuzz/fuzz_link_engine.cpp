// SPDX-License-Identifier: GPL-3.0-or-later
// The transfer engine on any sequence of events and received bytes. The input is a script: the
// first byte picks reading or sending, then each byte is an event; an event that delivers bytes
// takes its length from the next byte. The engine must never crash, never ask for a write to a
// closed port or a second close, never store a line that is not the valid line of its place, and
// keep its counters in range.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "image/clone_image.h"
#include "link/clone_line_check.h"
#include "link/kloon.h"

namespace {

using namespace talvirex;

struct Port {
  bool open = false;
  bool opening = false;

  void Apply(const KloonEffects& effects) {
    for (const auto& effect : effects) {
      if (std::holds_alternative<OpenPort>(effect)) {
        if (open || opening) std::abort();
        opening = true;
      } else if (std::holds_alternative<ClosePort>(effect)) {
        if (!open) std::abort();
        open = false;
      } else if (const auto* write = std::get_if<WriteText>(&effect)) {
        if (!open || write->text.empty() || write->text.back() != '\r') std::abort();
      }
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  CloneImage image;
  const KloonMode mode = data[0] % 2 == 0 ? KloonMode::kRead : KloonMode::kSend;
  Kloon kloon(image, mode, 10);
  Port port;
  port.Apply(kloon.Open());
  std::size_t at = 1;
  while (at < size) {
    const std::uint8_t event = data[at++];
    switch (event % 10) {
      case 0: port.Apply(kloon.StartRead(PortAddress{})); break;
      case 1: port.Apply(kloon.StartSend(PortAddress{})); break;
      case 2: port.Apply(kloon.Stop()); break;
      case 3: port.Apply(kloon.OnPacingTimer()); break;
      case 4: port.Apply(kloon.OnCloseTimer()); break;
      case 5:
        // The driver still closes the dead port when the engine asks.
        if (port.open) port.Apply(kloon.OnPortLost());
        break;
      case 6:
        if (port.opening) {
          port.opening = false;
          const auto result = static_cast<PortOpenResult>((event / 10) % 4);
          port.open = result == PortOpenResult::kOpened;
          port.Apply(kloon.OnPortOpened(result));
        }
        break;
      case 7: port.Apply(kloon.Ok()); break;
      default: {
        const std::size_t length = at < size ? data[at++] : 0;
        const std::size_t take = length < size - at ? length : size - at;
        port.Apply(kloon.OnBytes(std::string_view(reinterpret_cast<const char*>(data + at), take)));
        at += take;
      }
    }
    if (kloon.line_counter() < 0 || kloon.line_counter() > Kloon::kReadMessageCount) std::abort();
    if (kloon.refusals() > Kloon::kMaxRefusals) std::abort();
  }
  for (int i = 1; i <= kCloneLineCount; ++i) {
    const auto& line = image.lines[static_cast<std::size_t>(i)];
    if (!line.empty() && !IsCloneLineFor(line, i)) std::abort();
  }
  return 0;
}
