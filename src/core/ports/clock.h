// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <ctime>

namespace talvirex {

/// The local date and time, broken down.
struct LocalTime {
  int year = 2000, month = 1, day = 1;   // month 1..12, day 1..31
  int hour = 0, minute = 0, second = 0;  // 24-hour
};

/// Where the core gets the time of day (backup names, print headings); tests set it.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() const = 0;
};

/// The machine's own clock.
class SystemClock final : public Clock {
 public:
  LocalTime Now() const override;
};

}  // namespace talvirex
