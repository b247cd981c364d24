// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/kloon.h"

#include <algorithm>
#include <utility>

#include "image/clone_image.h"
#include "link/clone_line_check.h"
#include "text/text.h"

namespace talvirex {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::size_t kSentLineLength = 46;

std::string Join(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (const auto line : lines) {
    if (!text.empty()) text += kCrLf;
    text += line;
  }
  return text;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

ShowMessage Tell(std::string text) {
  return ShowMessage{Message{std::move(text), {}, Buttons::kOk, Icon::kNone}};
}

std::string ReadInstructions() {
  return Join(
      {"SportCat 200 file download:", "  ", " - Switch SC200 OFF.",
       " - Press and hold 'E' button while switching power ON", " - Display must show: MASTER.",
       " - Close this window by pressing OK and then press E at keypad to start data transfer."});
}

std::string SendInstructions() {
  return Join({"SportCat 200 file upload:", "  ", " - Switch SC200 OFF.",
               " - Press and hold 'E' button while switching power ON",
               " - Press arrow up or down key until display shows: CLONE or SLAVE",
               " - Press E at keypad ( CLONE or SLAVE flashes)",
               " - Close this window by pressing OK to start data transfer."});
}

std::string RestoreFinished() {
  return "Restore finished. \r\nYour SC200 must now show:\r\n>COMPLETE\r\nSwitch scanner "
         "Off/On\r\n\r\n";
}

std::string NoPermission() {
  return "No permission to open the comport.\r\nYour user must be in the 'dialout' group: sudo "
         "adduser $USER dialout, then log in again.";
}

std::string AnsweredTwiceMessage(int line) {
  return "Line " + IntText(line) +
         " was answered twice: the scanner may hold it twice.\r\nSend again; a fresh send "
         "rewrites every line.";
}

int Percent(int counter) { return std::clamp(counter, 0, 255) * 100 / 255; }

}  // namespace

Kloon::Kloon(CloneImage& image, KloonMode mode, int pacing_ms, int answer_timeout_ms)
    : image_(image),
      mode_(mode),
      pacing_ms_(std::clamp(pacing_ms, 10, 100)),
      answer_timeout_ms_(std::max(answer_timeout_ms, 1)) {
  buttons_ = SetButtons{mode == KloonMode::kRead, mode == KloonMode::kSend, true};
}

std::string_view Kloon::Caption() const {
  return mode_ == KloonMode::kRead ? "Read Data" : "Send Data";
}

KloonEffects Kloon::Open() {
  return {SetStatus{"None."}, SetDetected{false}, SetProgress{0, 0}, buttons_};
}

KloonEffects Kloon::StartRead(const PortAddress& port) {
  if (mode_ != KloonMode::kRead || !buttons_.read || !CanStart()) return {};
  rejected_ = 0;
  phase_ = Phase::kOpening;
  open_pending_ = true;
  return {SetRejectedCount{}, SetStatus{"Backup."}, SetDetected{false}, OpenPort{port}};
}

KloonEffects Kloon::StartSend(const PortAddress& port) {
  if (mode_ != KloonMode::kSend || !buttons_.send || !CanStart()) return {};
  rejected_ = 0;
  refusals_ = 0;
  phase_ = Phase::kOpening;
  open_pending_ = true;
  return {SetRejectedCount{}, SetStatus{"Restore."}, SetDetected{false}, OpenPort{port}};
}

bool Kloon::CanStart() const {
  // An answer to an earlier open still outstanding would be taken for this transfer's.
  return phase_ == Phase::kIdle && !open_pending_;
}

KloonEffects Kloon::OnPortOpened(PortOpenResult result) {
  KloonEffects out;
  open_pending_ = false;
  if (phase_ != Phase::kOpening) {
    // The transfer was stopped while the port was opening: give the port back.
    if (result == PortOpenResult::kOpened) out.emplace_back(ClosePort{});
    return out;
  }
  if (result == PortOpenResult::kNoPermission) {
    // The port itself is fine: only the user's rights stand in the way, so say how to get them.
    out.emplace_back(Tell(NoPermission()));
    out.emplace_back(AppendRefusalLog{std::string(kCrLf) + NoPermission()});
    out.emplace_back(SetStatus{"No permission for the comport."});
    phase_ = Phase::kIdle;
    out.emplace_back(TransferEnded{Outcome::kNoPermission});
    return out;
  }
  if (result != PortOpenResult::kOpened) {
    const bool in_use = result == PortOpenResult::kInUse;
    out.emplace_back(Tell(in_use ? "Comport already in use." : "Comport not available."));
    out.emplace_back(SetStatus{"Select different comport."});
    phase_ = Phase::kIdle;
    out.emplace_back(TransferEnded{in_use ? Outcome::kPortInUse : Outcome::kPortUnavailable});
    return out;
  }
  port_open_ = true;
  framer_.Clear();
  if (mode_ == KloonMode::kRead) {
    BeginRead(out);
  } else {
    BeginSend(out);
  }
  return out;
}

void Kloon::BeginRead(KloonEffects& out) {
  line_counter_ = 0;
  last_stored_.clear();
  out.emplace_back(Tell(ReadInstructions()));
  out.emplace_back(SetStatus{"Waiting for E key pressed"});
  buttons_ = SetButtons{false, false, buttons_.stop};
  out.emplace_back(buttons_);
  out.emplace_back(DiscardInput{});
  phase_ = Phase::kReading;
}

void Kloon::BeginSend(KloonEffects& out) {
  line_counter_ = 0;
  unanswered_copies_ = 0;
  answered_line_ = 0;
  out.emplace_back(Tell(SendInstructions()));
  buttons_ = SetButtons{false, false, buttons_.stop};
  out.emplace_back(buttons_);
  out.emplace_back(DiscardInput{});
  SendModel(out);
}

KloonEffects Kloon::OnBytes(std::string_view bytes) {
  KloonEffects out;
  const auto listening = [this] {
    return phase_ == Phase::kReading || phase_ == Phase::kAwaitingModel ||
           phase_ == Phase::kAwaitingAnswer || phase_ == Phase::kPacing || phase_ == Phase::kGuard;
  };
  // Bytes outside a transfer (before the port was opened for it, after it ended) mean nothing.
  if (!listening()) return out;
  framer_.Feed(bytes);
  while (listening()) {
    const auto message = framer_.Next();
    if (!message) break;
    HandleMessage(*message, out);
  }
  return out;
}

void Kloon::HandleMessage(const std::string& message, KloonEffects& out) {
  if (mode_ == KloonMode::kRead) {
    HandleReadMessage(message, out);
  } else {
    HandleSendAnswer(message, out);
  }
}

void Kloon::HandleReadMessage(const std::string& message, KloonEffects& out) {
  if (StartsWith(message, "MDL")) {
    // A scanner that starts over is followed from its first message again.
    line_counter_ = 1;
    last_stored_.clear();
    ShowProgress(out);
    out.emplace_back(WriteText{"SC200SPOR\r"});
    out.emplace_back(SetStatus{"MDL received 200."});
    out.emplace_back(SetDetected{true});  // its "MDL" is how the scanner makes itself known
  } else if (StartsWith(message, "CLN")) {
    // Clone line k arrives as message k + 1, after the "MDL".
    if (line_counter_ >= 1 && IsCloneLineFor(message, line_counter_)) {
      AcceptLine(message, out);
    } else if (!last_stored_.empty() && message == last_stored_) {
      out.emplace_back(WriteText{"OK\r"});  // our "OK" was lost: the line is already stored
    } else {
      RefuseLine(out);
    }
  } else if (StartsWith(message, "END")) {
    FinishRead(out);
  }
}

void Kloon::AcceptLine(const std::string& line, KloonEffects& out) {
  image_.lines[static_cast<std::size_t>(line_counter_)] = line;
  last_stored_ = line;
  ++line_counter_;
  ShowProgress(out);
  out.emplace_back(SetStatus{"RX Data transfer in progress: " + IntText(line_counter_)});
  out.emplace_back(WriteText{"OK\r"});
}

void Kloon::RefuseLine(KloonEffects& out) {
  ++rejected_;
  out.emplace_back(SetRejectedCount{rejected_});
  out.emplace_back(WriteText{"NG\r"});
}

void Kloon::FinishRead(KloonEffects& out) {
  ++line_counter_;
  const bool complete = line_counter_ == kReadMessageCount;
  if (!complete) out.emplace_back(Tell("Clone end. Transfer Bad."));
  out.emplace_back(SetProgress{0, line_counter_});
  out.emplace_back(SetStatus{complete
                                 ? std::string("END received. Backup status: OK.")
                                 : "END received. Backup status: Bad. " + IntText(line_counter_)});
  Release(out);
  buttons_ = SetButtons{true, buttons_.send, false};
  out.emplace_back(buttons_);
  if (complete) {
    out.emplace_back(DecodeImage{});
    out.emplace_back(StartCloseTimer{kCloseDelayMs});
    phase_ = Phase::kClosing;
    out.emplace_back(TransferEnded{Outcome::kComplete});
  } else {
    phase_ = Phase::kIdle;
    out.emplace_back(TransferEnded{Outcome::kBadRead});
  }
}

void Kloon::HandleSendAnswer(const std::string& message, KloonEffects& out) {
  if (phase_ == Phase::kAwaitingModel) {
    if (!Contains(message, "SC200")) return;
    out.emplace_back(SetStatus{"Scanner detected."});
    out.emplace_back(SetDetected{true});
    out.emplace_back(KeepSentImage{});
    line_counter_ = 0;
    out.emplace_back(StartPacingTimer{pacing_ms_});
    phase_ = Phase::kPacing;
    return;
  }
  const bool ok = StartsWith(message, "OK");
  if (!ok && !StartsWith(message, "NG")) return;
  const bool outstanding = unanswered_copies_ > 0;
  if (phase_ == Phase::kPacing && !outstanding && answered_line_ == 0) return;  // no line sent yet
  if (phase_ == Phase::kGuard || (phase_ == Phase::kPacing && !outstanding)) {
    AnsweredTwice(out);
  } else {
    // Awaiting the answer, or pausing before the line goes again: it is this line's answer.
    TakeAnswer(ok, out);
  }
}

void Kloon::TakeAnswer(bool ok, KloonEffects& out) {
  answered_line_ = line_counter_ + 1;
  const int copies = std::exchange(unanswered_copies_, 0);
  if (copies > 1) {
    held_ok_ = ok;
    out.emplace_back(StartPacingTimer{answer_timeout_ms_});
    phase_ = Phase::kGuard;
    return;
  }
  ApplyAnswer(ok, out);
}

void Kloon::ApplyAnswer(bool ok, KloonEffects& out) {
  if (!ok) return CountRefusal(out);
  ++line_counter_;
  ShowProgress(out);
  out.emplace_back(SetStatus{"Data transfer in progress: " + IntText(line_counter_)});
  out.emplace_back(StartPacingTimer{pacing_ms_});
  phase_ = Phase::kPacing;
}

void Kloon::AnsweredTwice(KloonEffects& out) {
  const int line = answered_line_;
  out.emplace_back(SetStatus{"Line " + IntText(line) + " answered twice. Restore status: Bad."});
  Release(out);
  buttons_ = SetButtons{buttons_.read, true, false};
  out.emplace_back(buttons_);
  out.emplace_back(Tell(AnsweredTwiceMessage(line)));
  EndTransfer(Outcome::kAnsweredTwice, out);
}

void Kloon::CountRefusal(KloonEffects& out) {
  const std::string status = "Not Good! Retry:" + IntText(line_counter_);
  out.emplace_back(SetStatus{status});
  out.emplace_back(AppendRefusalLog{std::string(kCrLf) + status});
  ++refusals_;
  if (refusals_ >= kMaxRefusals) {
    out.emplace_back(SetStatus{"Too many refusals. Restore status: Bad."});
    Release(out);
    buttons_ = SetButtons{buttons_.read, true, false};
    out.emplace_back(buttons_);
    EndTransfer(Outcome::kTooManyRefusals, out);
    return;
  }
  if (phase_ == Phase::kAwaitingModel) {
    SendModel(out);
  } else {
    // The scanner refuses the line it has just received: that line goes again, and nothing else.
    out.emplace_back(StartPacingTimer{pacing_ms_});
    phase_ = Phase::kPacing;
  }
}

void Kloon::SendModel(KloonEffects& out) {
  out.emplace_back(WriteText{"MDL\r"});
  out.emplace_back(StartPacingTimer{answer_timeout_ms_});
  phase_ = Phase::kAwaitingModel;
}

KloonEffects Kloon::OnPacingTimer() {
  KloonEffects out;
  switch (phase_) {
    case Phase::kPacing: SendNextLine(out); break;
    case Phase::kGuard:
      // No second answer came: the other copies never reached the scanner.
      ApplyAnswer(held_ok_, out);
      break;
    case Phase::kAwaitingModel:
    case Phase::kAwaitingAnswer:
      // No answer within the timeout: the message is sent again, as after a refusal.
      CountRefusal(out);
      break;
    default: break;
  }
  return out;
}

void Kloon::SendNextLine(KloonEffects& out) {
  if (line_counter_ >= kCloneLineCount) {
    FinishSend(out);
    return;
  }
  out.emplace_back(StopPacingTimer{});
  const std::string& line = image_.lines[static_cast<std::size_t>(line_counter_ + 1)];
  out.emplace_back(ShowLine{line});
  if (line.size() != kSentLineLength) out.emplace_back(Tell("data error length"));
  out.emplace_back(WriteText{line + "\r"});
  ++unanswered_copies_;
  out.emplace_back(StartPacingTimer{answer_timeout_ms_});
  phase_ = Phase::kAwaitingAnswer;
}

void Kloon::FinishSend(KloonEffects& out) {
  out.emplace_back(WriteText{"END\r"});
  Release(out);
  out.emplace_back(SetStatus{"Restore finished."});
  buttons_ = SetButtons{buttons_.read, true, false};
  out.emplace_back(buttons_);
  out.emplace_back(Tell(RestoreFinished()));
  EndTransfer(Outcome::kComplete, out);
}

KloonEffects Kloon::Stop() {
  KloonEffects out;
  if (!buttons_.stop) return out;
  Release(out);
  line_counter_ = 0;
  out.emplace_back(SetStatus{"Operation cancelled by user."});
  EnableTransferButton(out, true);
  if (transferring()) EndTransfer(Outcome::kCancelled, out);
  return out;
}

KloonEffects Kloon::Ok() {
  KloonEffects out;
  Release(out);
  if (transferring()) EndTransfer(Outcome::kCancelled, out);
  phase_ = Phase::kIdle;
  out.emplace_back(CloseWindow{});
  return out;
}

KloonEffects Kloon::OnCloseTimer() {
  if (phase_ != Phase::kClosing) return {};
  phase_ = Phase::kIdle;
  return {CloseWindow{}};
}

KloonEffects Kloon::OnPortLost() {
  KloonEffects out;
  if (!port_open_) return out;
  Release(out);
  line_counter_ = 0;
  out.emplace_back(SetStatus{"Comport lost. Operation cancelled."});
  EnableTransferButton(out, buttons_.stop);
  EndTransfer(Outcome::kPortLost, out);
  return out;
}

void Kloon::EndTransfer(Outcome outcome, KloonEffects& out) {
  phase_ = Phase::kIdle;
  out.emplace_back(TransferEnded{outcome});
}

// Stops the pacing timer and gives the port back; input still pending is forgotten.
void Kloon::Release(KloonEffects& out) {
  out.emplace_back(StopPacingTimer{});
  if (port_open_) out.emplace_back(ClosePort{});
  port_open_ = false;
  framer_.Clear();
}

void Kloon::EnableTransferButton(KloonEffects& out, bool stop) {
  buttons_ = SetButtons{buttons_.read || mode_ == KloonMode::kRead,
                        buttons_.send || mode_ == KloonMode::kSend, stop};
  out.emplace_back(buttons_);
}

void Kloon::ShowProgress(KloonEffects& out) const {
  out.emplace_back(SetProgress{Percent(line_counter_), line_counter_});
}

}  // namespace talvirex
