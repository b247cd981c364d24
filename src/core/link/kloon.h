// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The transfer window `kloon`: the clone exchange with the scanner, as a state machine that does
// no I/O. Its driver feeds it events (a button, received bytes, a timer, the result of opening the
// port) and carries out the effects it returns (kloon_effects.h).
//
// Theory of operation. The scanner's clone mode is a stop-and-wait exchange of CR-ended text
// messages at 9600 baud: one side, the master, sends and waits for the other side's answer before
// it sends again, so at most one message is outstanding in either direction.
//
// Reading (a backup; the program is the slave). The scanner sends "MDL", which identifies it (the
// window shows it detected, as a send does on its answer); the program answers "SC200SPOR". The
// scanner then sends the 253 image lines in order; each line that is 46 characters long, carries
// its own line's address and a correct checksum is stored in the image and answered "OK"; any other
// line is answered "NG" and the scanner sends it again. "END" closes the exchange: when the "MDL",
// 253 lines and the "END" make 255 messages, the image is decoded and the window closes itself 500
// ms later; otherwise the read has failed and the tables stay as they were. Messages that are none
// of these are noise and are dropped without being counted.
//
// Sending (a restore; the program is the master). The program sends "MDL" and waits for an answer
// containing "SC200"; once it has one, the image about to go out is kept (a scanner that never
// answered was not changed). It then sends image line 1 and waits: "OK" moves on to the next line
// one pacing interval later; "NG" sends the same line again one pacing interval later. After the
// 253rd "OK" it sends "END", which the scanner does not answer. A line (or "MDL") that gets no
// answer within 5 seconds is sent again and counts as a refusal; the 15th refusal of a transfer
// ends it.
//
// Late answers. An answer carries no line address, so an answer that comes after its line was
// sent again cannot be told from the answer to the second copy: if both copies reached the
// scanner, it answers twice, and one that stores lines as they arrive now holds the line twice.
// The rule: while a line has been sent more than once without an answer, its first answer is held
// and the engine keeps listening for one more answer timeout (the guard) before it acts on it. A
// second answer in the guard, or any "OK"/"NG" while no line is outstanding, means the line was
// answered twice: the send ends as failed, since only a fresh send puts every line in its place.
// The next line goes out only after the guard, so an answer is never taken for a later line than
// the one it answered, as long as the scanner answers a copy it already holds within the answer
// timeout of its previous answer (the bound the exchange already lives by).
//
// A lost "OK" during a read: a scanner that misses our "OK" sends the same line again. A repeat
// identical to the line just stored is answered "OK" again and not stored twice.
//
// "Stop", closing the window and a lost port end a transfer at any point: the port is closed, the
// timers stop and lines already stored stay in the image; the tables are never touched here.

#include <string>
#include <string_view>

#include "link/kloon_effects.h"
#include "link/line_framer.h"

namespace talvirex {

struct CloneImage;

enum class KloonMode { kRead, kSend };

enum class PortOpenResult {
  kOpened,
  kNotAvailable,  // no such port
  kInUse,         // held by another program
  kNoPermission,  // the user may not open the device
};

class Kloon {
 public:
  static constexpr int kMaxRefusals = 15;
  static constexpr int kAnswerTimeoutMs = 5000;
  static constexpr int kCloseDelayMs = 500;
  static constexpr int kReadMessageCount = 255;  // "MDL", 253 lines, "END"

  /// A window for one kind of transfer on `image`, which must outlive it. `pacing_ms` is the pause
  /// between an acknowledgement and the next line of a send (held within 10..100);
  /// `answer_timeout_ms` how long a send waits for an answer before it sends again, which is also
  /// the guard after a line sent more than once (at least 1).
  Kloon(CloneImage& image, KloonMode mode, int pacing_ms, int answer_timeout_ms = kAnswerTimeoutMs);

  /// The window's caption: "Read Data" or "Send Data".
  std::string_view Caption() const;

  /// The window's first state: status "None.", "Detected:" "No", progress 0, the mode's transfer
  /// button and "Stop" enabled.
  KloonEffects Open();
  /// "Read from SC200" (ignored unless that button is enabled).
  KloonEffects StartRead(const PortAddress& port);
  /// "Send to SC200" (ignored unless that button is enabled).
  KloonEffects StartSend(const PortAddress& port);
  /// "Stop" (ignored while that button is disabled).
  KloonEffects Stop();
  /// "Ok" or the window's close box: ends a running transfer, then closes the window.
  KloonEffects Ok();

  /// The answer to an `OpenPort` effect.
  KloonEffects OnPortOpened(PortOpenResult result);
  /// Bytes the port has received, in any pieces.
  KloonEffects OnBytes(std::string_view bytes);
  KloonEffects OnPacingTimer();
  KloonEffects OnCloseTimer();
  /// The port has gone (cable pulled, device removed, read or write error).
  KloonEffects OnPortLost();

  int line_counter() const { return line_counter_; }
  int refusals() const { return refusals_; }
  /// True from the button until the transfer has ended.
  bool transferring() const { return phase_ != Phase::kIdle && phase_ != Phase::kClosing; }
  const SetButtons& buttons() const { return buttons_; }

 private:
  enum class Phase {
    kIdle,
    kOpening,         // waiting for OnPortOpened
    kReading,         // read: answering the scanner's messages
    kAwaitingModel,   // send: "MDL" sent
    kAwaitingAnswer,  // send: a line sent, no answer yet
    kPacing,          // send: next message when the pacing timer fires
    kGuard,           // send: first answer to a line sent more than once held, more awaited
    kClosing,         // read complete and decoded, the close timer runs
  };

  bool CanStart() const;
  void HandleMessage(const std::string& message, KloonEffects& out);
  void HandleReadMessage(const std::string& message, KloonEffects& out);
  void HandleSendAnswer(const std::string& message, KloonEffects& out);
  void TakeAnswer(bool ok, KloonEffects& out);
  void ApplyAnswer(bool ok, KloonEffects& out);
  void AnsweredTwice(KloonEffects& out);
  void BeginRead(KloonEffects& out);
  void BeginSend(KloonEffects& out);
  void AcceptLine(const std::string& line, KloonEffects& out);
  void RefuseLine(KloonEffects& out);
  void FinishRead(KloonEffects& out);
  void SendModel(KloonEffects& out);
  void SendNextLine(KloonEffects& out);
  void FinishSend(KloonEffects& out);
  void CountRefusal(KloonEffects& out);
  void EndTransfer(Outcome outcome, KloonEffects& out);
  void Release(KloonEffects& out);
  void EnableTransferButton(KloonEffects& out, bool stop);
  void ShowProgress(KloonEffects& out) const;

  CloneImage& image_;
  KloonMode mode_;
  int pacing_ms_;
  int answer_timeout_ms_;
  Phase phase_ = Phase::kIdle;
  LineFramer framer_;
  bool port_open_ = false;
  bool open_pending_ = false;  // an OpenPort has not been answered yet
  int line_counter_ = 0;
  int refusals_ = 0;
  int rejected_ = 0;
  std::string last_stored_;    // read: the line last stored and answered "OK"
  int unanswered_copies_ = 0;  // send: copies of the current line sent since its last answer
  int answered_line_ = 0;      // send: the line the latest answer was for (0: none yet)
  bool held_ok_ = false;       // send, in the guard: whether the held answer is "OK"
  SetButtons buttons_;
};

}  // namespace talvirex
