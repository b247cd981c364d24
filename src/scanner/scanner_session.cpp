// SPDX-License-Identifier: GPL-3.0-or-later
#include "scanner/scanner_session.h"

#include <algorithm>
#include <utility>

#include "scanner/clone_lines.h"

namespace talvirex::scanner {

namespace {

// The line number a clone line's own address names (address / 16 + 1), or 0 when it names none.
constexpr std::int64_t kNanosPerMilli = 1'000'000;

// Received bytes count from the millisecond the runner saw them in, which is up to 1 ms early, so
// their arrival is rounded up; sent bytes are rounded to the nearest millisecond. On average the
// two cancel and a round trip costs its wire time.
Millis CeilMillis(std::int64_t nanos) { return (nanos + kNanosPerMilli - 1) / kNanosPerMilli; }
Millis NearestMillis(std::int64_t nanos) { return (nanos + kNanosPerMilli / 2) / kNanosPerMilli; }

int OwnIndex(std::string_view line) {
  if (line.size() < 8) return 0;
  int address = 0;
  for (const char c : line.substr(4, 4)) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return 0;
    address = address * 16 + digit;
  }
  return address % 16 == 0 ? address / 16 + 1 : 0;
}

}  // namespace

ScannerSession::ScannerSession(Role role, Faults faults, std::vector<std::string> image,
                               Timing timing)
    : role_(role), faults_(std::move(faults)), image_(std::move(image)), timing_(timing) {}

Effects ScannerSession::Start(Millis now) {
  if (phase_ != Phase::kIdle) return TakeDue(now);
  phase_ = Phase::kAwaitModel;
  if (role_ == Role::kMaster) {
    if (image_.size() != kLineCount) {
      Finish(Outcome::kFailed, "the image to send does not hold 253 lines");
      return TakeDue(now);
    }
    ++counters_.model_requests;
    SendMessage("MDL", now);
    timer_ = timing_.mdl_repeat_ms > 0 ? last_due_ + timing_.mdl_repeat_ms : -1;
  }
  return TakeDue(now);
}

Effects ScannerSession::OnBytes(std::string_view bytes, Millis now) {
  if (phase_ == Phase::kDone) return TakeDue(now);
  if (timing_.wire_baud > 0) {
    // The bytes crossed the pseudo-terminal at once; on the line the last one would arrive later.
    in_free_ns_ = std::max(now * kNanosPerMilli, in_free_ns_) +
                  static_cast<std::int64_t>(bytes.size()) * WireNanosPerByte();
    arriving_.push_back({CeilMillis(in_free_ns_), std::string(bytes), false});
    DeliverArrived(now);
  } else {
    Receive(bytes, now);
  }
  CheckTimers(now);
  return TakeDue(now);
}

void ScannerSession::DeliverArrived(Millis now) {
  while (!arriving_.empty() && arriving_.front().due <= now && phase_ != Phase::kDone) {
    const Queued item = std::move(arriving_.front());
    arriving_.pop_front();
    Receive(item.bytes, item.due);
  }
}

void ScannerSession::Receive(std::string_view bytes, Millis now) {
  pending_.append(bytes);
  std::size_t end;
  while (phase_ != Phase::kDone && (end = pending_.find('\r')) != std::string::npos) {
    std::string message = pending_.substr(0, end);
    pending_.erase(0, end + 1);
    message.erase(0, message.find_first_not_of('\n'));  // a stray LF left by a cooked terminal
    HandleMessage(message, now);
  }
  if (pending_.size() > kMaxPending) {  // a flood without a line end cannot be a message
    pending_.clear();
    ++counters_.noise;
  }
}

Effects ScannerSession::OnTick(Millis now) {
  DeliverArrived(now);
  CheckTimers(now);
  return TakeDue(now);
}

Millis ScannerSession::NextDeadline() const {
  Millis next = timer_;
  const auto sooner = [&next](Millis due) {
    if (next < 0 || due < next) next = due;
  };
  if (!queue_.empty()) sooner(queue_.front().due);
  if (!arriving_.empty() && phase_ != Phase::kDone) sooner(arriving_.front().due);
  return next;
}

Outcome ScannerSession::outcome() const { return queue_.empty() ? final_ : Outcome::kRunning; }

void ScannerSession::HandleMessage(std::string_view message, Millis now) {
  if (role_ == Role::kMaster) {
    MasterMessage(message, now);
  } else {
    SlaveMessage(message, now);
  }
}

void ScannerSession::MasterMessage(std::string_view message, Millis now) {
  if (phase_ == Phase::kAwaitModel && message.find("SC200") != std::string_view::npos) {
    phase_ = Phase::kAwaitAnswer;
    if (faults_.disconnect_after == 0) return HangUp(now);
    current_line_ = 1;
    attempts_ = 0;
    return SendCurrentLine(now);
  }
  if (phase_ != Phase::kAwaitAnswer) {
    ++counters_.noise;
  } else if (message.starts_with("OK")) {
    if (faults_.lose_ok_once.contains(current_line_) && lost_oks_.insert(current_line_).second) {
      ++counters_.resent_on_timeout;  // as if the answer never came: the line goes again
      return SendCurrentLine(now);
    }
    ++counters_.lines_done;
    if (counters_.lines_done == faults_.disconnect_after) return HangUp(now);
    if (counters_.lines_done == kLineCount) {
      SendMessage("END", now);
      return Finish(Outcome::kComplete);
    }
    ++current_line_;
    attempts_ = 0;
    SendCurrentLine(now);
  } else if (message.starts_with("NG")) {
    ++counters_.refused;
    if (attempts_ >= kMaxAttempts) {
      return Finish(Outcome::kFailed, "line " + std::to_string(current_line_) + " was refused " +
                                          std::to_string(attempts_) + " times");
    }
    SendCurrentLine(now);
  } else {
    ++counters_.noise;
  }
}

void ScannerSession::SlaveMessage(std::string_view message, Millis now) {
  if (message.starts_with("MDL")) {
    ++counters_.model_requests;
    received_.clear();
    counters_.lines_done = 0;
    phase_ = Phase::kReceiving;
    SendMessage(faults_.wrong_model ? kWrongModelAnswer : kModelAnswer, now);
    if (faults_.disconnect_after == 0) HangUp(now);
  } else if (phase_ == Phase::kReceiving && message.starts_with("CLN")) {
    SlaveLine(message, now);
  } else if (phase_ == Phase::kReceiving && message.starts_with("END")) {
    if (received_.size() == kLineCount) {
      Finish(Outcome::kComplete);
    } else {
      Finish(Outcome::kFailed,
             "\"END\" arrived after " + std::to_string(received_.size()) + " of 253 lines");
    }
  } else {
    ++counters_.noise;
  }
}

void ScannerSession::SlaveLine(std::string_view line, Millis now) {
  const int index = static_cast<int>(received_.size()) + 1;
  const bool late = index == faults_.late_line && !late_done_;
  const auto answer = [&](std::string_view text) {
    late_done_ = late_done_ || late;
    SendMessage(text, now, late ? faults_.late_by_ms : 0);
  };
  if (!faults_.store_by_arrival && !received_.empty() && line == received_.back()) {
    answer("OK");  // the sender missed the acknowledgement of this line
    return;
  }
  // By arrival the address is not looked at: the line's own address only serves its checksum.
  const int checked_as = faults_.store_by_arrival ? OwnIndex(line) : index;
  const bool sound = checked_as >= 1 && checked_as <= kLineCount &&
                     CheckLine(line, checked_as) == LineFault::kNone;
  const bool refused = faults_.refuse_always.contains(index) ||
                       (faults_.refuse_once.contains(index) && refused_.insert(index).second);
  if (!sound || refused) {
    ++counters_.refused;
    answer("NG");
    return;
  }
  if (index > kLineCount) {
    ++counters_.overflow;  // the memory is full
  } else {
    received_.emplace_back(line);
    ++counters_.lines_done;
  }
  answer("OK");
  if (counters_.lines_done == faults_.disconnect_after) HangUp(now);
}

void ScannerSession::SendMessage(std::string_view text, Millis now, Millis extra_delay) {
  Millis due = std::max(now + faults_.delay_ms + extra_delay, last_due_);
  auto enqueue = [&](std::string bytes) {
    const std::size_t piece =
        faults_.chunk > 0 ? static_cast<std::size_t>(faults_.chunk) : bytes.size();
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
      Enqueue(due, bytes.substr(at, piece));
      if (faults_.chunk > 0) due = std::max(due + timing_.chunk_gap_ms, last_due_);
    }
  };
  if (faults_.noise) enqueue(std::string(kNoise) + '\r');
  enqueue(std::string(text) + '\r');
}

// Without wire pacing the bytes go out together at `due`; with it each character goes when its
// last bit would be through, after everything queued before it.
void ScannerSession::Enqueue(Millis due, std::string bytes) {
  if (timing_.wire_baud <= 0) {
    queue_.push_back({due, std::move(bytes), false});
    last_due_ = due;
    return;
  }
  std::int64_t at_ns = std::max(due * kNanosPerMilli, out_free_ns_);
  bool merge = false;
  for (const char c : bytes) {
    at_ns += WireNanosPerByte();
    const Millis byte_due = NearestMillis(at_ns);
    if (merge && queue_.back().due == byte_due) {
      queue_.back().bytes += c;
    } else {
      queue_.push_back({byte_due, std::string(1, c), false});
    }
    merge = true;
  }
  out_free_ns_ = at_ns;
  last_due_ = std::max(due, NearestMillis(at_ns));
}

std::int64_t ScannerSession::WireNanosPerByte() const {
  constexpr std::int64_t kBitsPerCharacter = 11;  // start bit, 8 data bits, 2 stop bits
  return kBitsPerCharacter * 1'000'000'000 / timing_.wire_baud;
}

void ScannerSession::SendCurrentLine(Millis now) {
  ++attempts_;
  std::string line = image_[static_cast<std::size_t>(current_line_ - 1)];
  if (faults_.corrupt_once.contains(current_line_) && corrupted_.insert(current_line_).second) {
    line[9] = line[9] == '0' ? '1' : '0';  // a data digit, so the checksum no longer fits
  }
  SendMessage(line, now);
  timer_ = last_due_ + timing_.answer_timeout_ms;
}

void ScannerSession::HangUp(Millis now) {
  queue_.push_back({std::max(now, last_due_), {}, true});
  Finish(Outcome::kDisconnected);
}

void ScannerSession::Finish(Outcome outcome, std::string failure) {
  phase_ = Phase::kDone;
  final_ = outcome;
  failure_ = std::move(failure);
  timer_ = -1;
}

void ScannerSession::CheckTimers(Millis now) {
  if (timer_ < 0 || now < timer_ || role_ != Role::kMaster) return;
  if (phase_ == Phase::kAwaitModel) {
    ++counters_.model_requests;
    SendMessage("MDL", now);
    timer_ = last_due_ + timing_.mdl_repeat_ms;
  } else if (phase_ == Phase::kAwaitAnswer) {
    if (attempts_ >= kMaxAttempts) {
      return Finish(Outcome::kFailed, "line " + std::to_string(current_line_) + " got no answer");
    }
    ++counters_.resent_on_timeout;
    SendCurrentLine(now);
  }
}

Effects ScannerSession::TakeDue(Millis now) {
  Effects effects;
  while (!queue_.empty() && queue_.front().due <= now) {
    Queued item = std::move(queue_.front());
    queue_.pop_front();
    if (item.hang_up) {
      effects.hang_up = true;
      queue_.clear();
      break;
    }
    effects.writes.push_back(std::move(item.bytes));
    effects.last_due = item.due;
  }
  return effects;
}

}  // namespace talvirex::scanner
