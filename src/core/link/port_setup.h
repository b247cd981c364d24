// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The choice of the serial port for the clone cable and the sender's pacing interval, as the
// transfer window shows them: eight options "com1".."com8" and a ninth, "other:", with a number
// entry for ports 9..19. Both values are remembered in the registry store as "comport" and
// "timer1", decimal texts with the store's "x" appended.
//
// Port numbers 1..19 are the user's model of the port: on Windows port n is COMn, elsewhere the
// n-th serial device found. The "other:" entry may also hold a device path (beginning with "/" or
// "\"), which is used and remembered as it is.

#include <string>

namespace talvirex {

class RegistryStore;

/// The port a transfer opens: a device path when one was given, else the port number 1..19.
struct PortAddress {
  int number = 1;
  std::string device;

  /// The device path, or "com" followed by the number.
  std::string Describe() const;
  friend bool operator==(const PortAddress&, const PortAddress&) = default;
};

class PortSetup {
 public:
  static constexpr int kOtherOption = 9;
  static constexpr int kMinPort = 1;
  static constexpr int kMaxPort = 19;
  static constexpr int kMinPacingMs = 10;
  static constexpr int kMaxPacingMs = 100;
  static constexpr int kDefaultPacingMs = 50;

  /// The window's opening state from "comport" and "timer1" (absent: port 1, 50 ms). A stored
  /// port outside 1..19 becomes 1; the interval is held within 10..100 ms.
  static PortSetup Load(const RegistryStore& store);

  /// Writes "comport" (the port of the selected option) and "timer1".
  void Store(RegistryStore& store) const;

  /// 1..8 for "com1".."com8", 9 for "other:".
  int selected_option() const { return option_; }
  /// The text of the "other:" number entry ("enter comport number 9 - 19").
  const std::string& other_entry() const { return other_entry_; }
  int pacing_ms() const { return pacing_ms_; }

  /// Selects an option; a value outside 1..9 is ignored.
  void SelectOption(int option);
  /// Replaces the text of the "other:" entry (does not select the option).
  void SetOtherEntry(std::string text);
  /// Sets the pacing interval, held within 10..100 ms.
  void SetPacing(int milliseconds);

  /// The port of the selected option: "comN" gives N; "other:" gives the entry's device path, or
  /// its numeric value raised to 1 and lowered to 19 (an empty entry gives 1).
  PortAddress Port() const;

 private:
  int option_ = 1;
  std::string other_entry_;
  int pacing_ms_ = kDefaultPacingMs;
};

/// True when `text` (blanks around it ignored) names a device rather than a port number.
bool IsDevicePath(const std::string& text);

}  // namespace talvirex
