// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What `read`, `send` and `restore` share: the --port and --pace options, and one run of the
// transfer engine on the serial driver inside a Qt event loop, with the engine's texts on the
// error stream, a progress bar when that stream is a terminal, Enter (or --yes) to go on after
// the scanner instructions, and Ctrl+C as "Stop".

#include <filesystem>
#include <optional>
#include <string>

#include "link/kloon.h"
#include "link/port_setup.h"

namespace talvirex {
struct Document;
}

namespace talvirex::cli {

struct CommandContext;

/// "--port": a number (the desktop program's port numbering; one that does not exist is reported
/// by the transfer as "Comport not available.") or a device path. Nothing for other text.
std::optional<PortAddress> ParsePortOption(const std::string& text);

/// The pacing interval in ms: `option` (the --pace text) when given, else the remembered "timer1"
/// of the program folder's registry store; held within 10..100. Nothing for a --pace that is not
/// a number.
std::optional<int> PacingInterval(const std::optional<std::string>& option,
                                  const std::filesystem::path& program_folder);

struct TransferRequest {
  KloonMode mode = KloonMode::kRead;
  PortAddress port;
  int pacing_ms = PortSetup::kDefaultPacingMs;
  bool assume_yes = false;  // go on after the instructions without waiting for Enter
  /// Where a copy of the transfer's trace goes besides the program folder's "traces" ("--trace").
  std::optional<std::string> trace_path;
  /// The wait for an answer before a line goes again (tests shorten it).
  int answer_timeout_ms = Kloon::kAnswerTimeoutMs;
};

/// Runs one transfer session on `document` and returns the exit status: kExitOk for a complete
/// transfer, kExitInterrupted after Ctrl+C, kExitIncomplete for any other end. A complete read
/// has decoded the image into `document`.
int RunTransfer(CommandContext& context, Document& document, const TransferRequest& request);

}  // namespace talvirex::cli
