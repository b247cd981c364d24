// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/stream_ui.h"

#include <ostream>
#include <string>

namespace talvirex::cli {

Answer StreamUi::Ask(const Message& message) {
  // Messages keep CR LF between their lines; a terminal wants plain line ends.
  for (const char c : message.text) {
    if (c != '\r') err_ << c;
  }
  err_ << '\n';
  switch (message.buttons) {
    case Buttons::kOk: return Answer::kOk;
    case Buttons::kOkCancel: return assume_yes_ ? Answer::kOk : Answer::kCancel;
    case Buttons::kYesNo: return assume_yes_ ? Answer::kYes : Answer::kNo;
    case Buttons::kYesNoCancel: return assume_yes_ ? Answer::kYes : Answer::kCancel;
  }
  return Answer::kCancel;
}

}  // namespace talvirex::cli
