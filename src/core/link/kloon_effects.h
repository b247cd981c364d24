// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the transfer engine asks its driver to do. A driver (the desktop transfer window, the
// command line, a test) carries out each effect in the order given and makes no protocol decision
// of its own. The driver's side of the bargain:
// - every call into the engine happens on one thread, never two at once; calling the engine again
//   while carrying out an effect (a received-bytes event during a modal message, the answer to
//   `OpenPort` given at once) is allowed, and the effects of that call are carried out at once;
// - all bytes the port receives go to `OnBytes` as they come, in any pieces; the engine itself
//   drops what arrives outside a transfer;
// - one single-shot pacing timer and one single-shot close timer; starting a running timer
//   restarts it with the new interval;
// - a port error or a vanished device is reported once through `OnPortLost`; the engine then asks
//   for `ClosePort`, which must be harmless on a dead port;
// - `TransferEnded` tells how a transfer ended; a desktop window may ignore it.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "link/port_setup.h"
#include "ports/ui.h"

namespace talvirex {

/// Write the whole text to the port in one call; it ends with its CR.
struct WriteText {
  std::string text;
};
/// Open the port with 9600 baud, no parity, 8 data bits, 2 stop bits, no handshake, then report
/// the result through `Kloon::OnPortOpened` (at once or later).
struct OpenPort {
  PortAddress port;
};
/// Write out what is still queued for the port and wait (bounded) until the driver has sent it,
/// then close the port: closing drops what is still queued, and "END" is often the last write.
struct ClosePort {};
/// Throw away whatever the port has received and not yet delivered.
struct DiscardInput {};
/// (Re)arm the one-shot pacing timer; when it fires, call `Kloon::OnPacingTimer`.
struct StartPacingTimer {
  int interval_ms = 0;
};
struct StopPacingTimer {};
/// Arm the one-shot close timer; when it fires, call `Kloon::OnCloseTimer`.
struct StartCloseTimer {
  int interval_ms = 0;
};
/// Show a modal message box.
struct ShowMessage {
  Message message;
};
struct SetStatus {
  std::string text;
};
/// The progress bar (0..100) and the line counter behind it.
struct SetProgress {
  int percent = 0;
  int line_counter = 0;
};
/// The answer beside the caption "Detected:": "Yes" or "No".
struct SetDetected {
  bool detected = false;
};
/// The field that shows the line being sent.
struct ShowLine {
  std::string text;
};
/// The rejected-line count; nothing empties the field.
struct SetRejectedCount {
  std::optional<int> count;
};
/// Append to the refusal log (the text starts with its own CR LF).
struct AppendRefusalLog {
  std::string text;
};
/// Which of the buttons "Read from SC200", "Send to SC200" and "Stop" are enabled.
struct SetButtons {
  bool read = false;
  bool send = false;
  bool stop = false;
  friend bool operator==(const SetButtons&, const SetButtons&) = default;
};
/// A send's scanner has answered and the first line is yet to go out: keep the image as it will
/// be sent (the send's backup). Only a send that reached the scanner changes its memory, so only
/// such a send needs a way back.
struct KeepSentImage {};
/// A complete image has arrived: decode it into the tables (`filter_image`).
struct DecodeImage {};
/// Close the transfer window (the command line ends its run).
struct CloseWindow {};

/// How a transfer ended; lets the command line choose its exit status.
enum class Outcome {
  kComplete,         // read: all 253 lines and "END"; send: all 253 lines acknowledged
  kBadRead,          // read: "END" after the wrong number of lines
  kCancelled,        // "Stop" (or the window closed) during a transfer
  kPortUnavailable,  // the port does not exist
  kPortInUse,        // another program holds the port
  kNoPermission,     // the user may not open the port
  kPortLost,         // the port vanished during a transfer
  kTooManyRefusals,  // send: the scanner refused (or did not answer) too often
  kAnsweredTwice,    // send: a line sent again was answered twice; the scanner may hold it twice
};
struct TransferEnded {
  Outcome outcome;
};

using KloonEffect =
    std::variant<WriteText, OpenPort, ClosePort, DiscardInput, StartPacingTimer, StopPacingTimer,
                 StartCloseTimer, ShowMessage, SetStatus, SetProgress, SetDetected, ShowLine,
                 SetRejectedCount, AppendRefusalLog, SetButtons, KeepSentImage, DecodeImage,
                 CloseWindow, TransferEnded>;
using KloonEffects = std::vector<KloonEffect>;

}  // namespace talvirex
