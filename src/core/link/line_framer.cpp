// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/line_framer.h"

#include <algorithm>

namespace talvirex {

namespace {
constexpr char kCr = '\r';
constexpr char kLf = '\n';
}  // namespace

void LineFramer::Feed(std::string_view bytes) {
  if (start_ == buffer_.size()) Clear();
  buffer_.append(bytes);
  if (pending() <= kMaxPendingBytes) return;
  // Only the part after the last CR can be an overlong unfinished message: drop that part.
  const auto last_cr = buffer_.rfind(kCr);
  const std::size_t keep =
      (last_cr == std::string::npos || last_cr < start_) ? start_ : last_cr + 1;
  if (buffer_.size() - keep > kMaxPendingBytes) {
    dropped_ += buffer_.size() - keep;
    buffer_.resize(keep);
    scanned_ = std::min(scanned_, keep - start_);
  }
}

std::optional<std::string> LineFramer::Next() {
  while (start_ < buffer_.size() && buffer_[start_] == kLf) {
    ++start_;
    if (scanned_ > 0) --scanned_;
  }
  const auto cr = buffer_.find(kCr, start_ + scanned_);
  if (cr == std::string::npos) {
    // Keep only the unfinished message, so the buffer never grows past it.
    buffer_.erase(0, start_);
    start_ = 0;
    scanned_ = buffer_.size();
    return std::nullopt;
  }
  std::string message = buffer_.substr(start_, cr - start_);
  start_ = cr + 1;
  scanned_ = 0;
  return message;
}

void LineFramer::Clear() {
  buffer_.clear();
  start_ = 0;
  scanned_ = 0;
}

}  // namespace talvirex
