// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scanner's side of clone mode as a pure state machine: it is fed received bytes and the
// time, and hands back the bytes to write when they are due. It never blocks, sleeps or touches a
// device, so it runs the same under the pseudo-terminal runner and in tests.
//
// Theory of operation. Every message on the link is ASCII text ended by one CR. The exchange is
// stop-and-wait:
// - Master (the scanner sends its memory): "MDL", then waits for a model answer containing
//   "SC200"; then each of the 253 lines, waiting for "OK" (next line) or "NG" (the same line
//   again); then "END", whose answer is not awaited. Until a model answer arrives "MDL" is repeated
//   every `mdl_repeat_ms`, as if its user pressed the start key again, so a program that opens the
//   port late still hears it. A line that gets no answer within `answer_timeout_ms` is sent again;
//   after `kMaxAttempts` tries of one line the master gives up.
// - Slave (the scanner receives): answers "MDL" with "SC200SPOR" (and starts over, so a second
//   send after a cancelled one works), answers each line "OK" when its length, form, checksum and
//   address are sound and it is the next line, "NG" otherwise; stores the sound ones; at "END" the
//   exchange is complete when all 253 lines arrived. A repeat of the line just stored (its "OK"
//   was lost or late) is answered "OK" again and stored once: the scanner stores by address.
//   With `Faults::store_by_arrival` it stores as some scanners do, by arrival: every line of sound
//   form and checksum goes to the next free place whatever its address, so a line that arrives
//   twice is held twice and the lines after it are shifted; lines beyond the 253rd are answered
//   "OK" and dropped.
// With `Timing::wire_baud` the scanner's bytes leave, and the program's bytes arrive, no faster
// than a real line at that rate carries them (11 bits a character), so exchanges take real time.
// Messages that mean nothing in the current state are counted as noise and dropped. Input without
// a CR is kept for the next call, bounded by `kMaxPending` bytes.
//
// Faults are injected on request (see `Faults`); they make the scanner misbehave in the ways a
// real cable and scanner can, so the program's handling of each can be tried.

#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace talvirex::scanner {

using Millis = std::int64_t;  // a monotonic time in milliseconds

enum class Role { kMaster, kSlave };

struct Faults {
  std::set<int> refuse_once{};    // slave: lines (1..253) answered "NG" the first time they arrive
  std::set<int> refuse_always{};  // slave: lines answered "NG" every time
  std::set<int> corrupt_once{};   // master: lines sent the first time with one digit altered
  bool wrong_model = false;       // slave: answers "MDL" with a model that is not an SC200
  bool noise = false;             // a CR-ended burst of junk goes out before every message
  int chunk = 0;                  // > 0: every message is written in pieces of at most this size
  int delay_ms = 0;               // every message waits this long before it goes out
  int disconnect_after = -1;     // >= 0: the link is dropped once this many lines were acknowledged
  std::set<int> lose_ok_once{};  // master: the first "OK" to these lines is lost: each goes again
  int late_line = 0;             // slave: the answer to this line's first arrival comes late
  int late_by_ms = 5500;         // ... by this long
  bool store_by_arrival = false;  // slave: lines are stored in arrival order (see above)
};

struct Timing {
  Millis mdl_repeat_ms = 1000;      // master: pause before "MDL" is repeated; 0 = never repeat
  Millis answer_timeout_ms = 5000;  // master: wait for "OK"/"NG" before a line is sent again
  Millis chunk_gap_ms = 1;          // pause between the pieces of a chunked message
  int wire_baud = 0;                // > 0: bytes take the time of a line at this rate; 0: none
};

inline constexpr int kMaxAttempts = 15;
inline constexpr std::size_t kMaxPending = 4096;
inline constexpr std::string_view kModelAnswer = "SC200SPOR";
inline constexpr std::string_view kWrongModelAnswer = "XR100SPOR";
inline constexpr std::string_view kNoise = "#~\x7F?!*ZQ";

enum class Outcome {
  kRunning,
  kComplete,      // master: "END" handed out after 253 acknowledged lines; slave: all 253 stored
  kFailed,        // see `failure()`
  kDisconnected,  // the link was dropped on purpose (`Faults::disconnect_after`)
};

struct Effects {
  std::vector<std::string> writes;  // write these, in order, now
  bool hang_up = false;             // after the writes, drop the link
  Millis last_due = -1;             // when the last of `writes` was due
};

struct Counters {
  int lines_done = 0;         // master: lines acknowledged; slave: lines stored
  int refused = 0;            // master: "NG" answers received; slave: "NG" answers sent
  int resent_on_timeout = 0;  // master: lines sent again for want of an answer
  int model_requests = 0;     // master: "MDL" sent; slave: "MDL" answered
  int noise = 0;              // messages dropped as meaningless
  int overflow = 0;           // slave storing by arrival: lines beyond the 253rd, dropped
};

class ScannerSession {
 public:
  /// `image` is the master's memory (253 lines, element 0 = line 1); the slave ignores it.
  ScannerSession(Role role, Faults faults, std::vector<std::string> image, Timing timing = {});

  /// Begins the exchange at time `now`: the master queues its first "MDL".
  Effects Start(Millis now);
  /// Hands over received bytes; returns what is due by `now`.
  Effects OnBytes(std::string_view bytes, Millis now);
  /// Lets time pass; returns what is due by `now`.
  Effects OnTick(Millis now);

  /// True when bytes are paced at a wire rate (`Timing::wire_baud`).
  bool paced() const { return timing_.wire_baud > 0; }

  /// The next time at which `OnTick` has something to do; -1 when nothing is scheduled.
  Millis NextDeadline() const;

  /// Once the last write has been handed out, how the exchange ended; kRunning before.
  Outcome outcome() const;
  const std::string& failure() const { return failure_; }
  const Counters& counters() const { return counters_; }
  /// Slave: the lines stored so far, in order (253 when complete).
  const std::vector<std::string>& received() const { return received_; }

 private:
  struct Queued {
    Millis due;
    std::string bytes;
    bool hang_up;
  };

  void Receive(std::string_view bytes, Millis now);
  void DeliverArrived(Millis now);
  void HandleMessage(std::string_view message, Millis now);
  void MasterMessage(std::string_view message, Millis now);
  void SlaveMessage(std::string_view message, Millis now);
  void SlaveLine(std::string_view line, Millis now);
  void SendMessage(std::string_view text, Millis now, Millis extra_delay = 0);
  void Enqueue(Millis due, std::string bytes);
  std::int64_t WireNanosPerByte() const;
  void SendCurrentLine(Millis now);
  void HangUp(Millis now);
  void Finish(Outcome outcome, std::string failure = {});
  void CheckTimers(Millis now);
  Effects TakeDue(Millis now);

  enum class Phase { kIdle, kAwaitModel, kAwaitAnswer, kReceiving, kDone };

  Role role_;
  Faults faults_;
  std::vector<std::string> image_;
  Timing timing_;
  Phase phase_ = Phase::kIdle;
  std::string pending_;
  std::deque<Queued> queue_;
  Millis last_due_ = 0;
  Millis timer_ = -1;             // master: when "MDL" is repeated or the line is sent again
  int current_line_ = 0;          // master: the line awaiting its answer (1..253)
  int attempts_ = 0;              // master: tries of the current line
  std::set<int> corrupted_;       // master: lines already sent corrupted once
  std::set<int> refused_;         // slave: lines already refused once
  std::set<int> lost_oks_;        // master: lines whose "OK" was already lost once
  bool late_done_ = false;        // slave: the late answer has been given
  std::deque<Queued> arriving_;   // wire pacing: received bytes still on their way
  std::int64_t out_free_ns_ = 0;  // wire pacing: when the outgoing line is free, nanoseconds
  std::int64_t in_free_ns_ = 0;   // wire pacing: when the incoming line is free
  std::vector<std::string> received_;
  Counters counters_;
  Outcome final_ = Outcome::kRunning;
  std::string failure_;
};

}  // namespace talvirex::scanner
