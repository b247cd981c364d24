// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line's answer to the core's Ui port: messages go to the error stream as they stand,
// questions are answered by a fixed policy (the command line never waits for a dialog), and file
// dialogs are cancelled.

#include <iosfwd>

#include "ports/ui.h"

namespace talvirex::cli {

class StreamUi final : public Ui {
 public:
  /// `assume_yes`: questions are answered Yes (or OK); otherwise No (or Cancel).
  StreamUi(std::ostream& err, bool assume_yes) : err_(err), assume_yes_(assume_yes) {}

  Answer Ask(const Message& message) override;
  std::optional<std::string> OpenFile(const FileDialog&) override { return std::nullopt; }
  std::optional<std::string> SaveFile(const FileDialog&) override { return std::nullopt; }

 private:
  std::ostream& err_;
  bool assume_yes_;
};

}  // namespace talvirex::cli
