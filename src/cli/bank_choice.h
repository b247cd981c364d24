// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exporting subcommands' (csv, print) choice "--bank N" (1..10, or D for the Dummy bank) or
// "--all".

#include <iosfwd>
#include <optional>
#include <string>

#include "cli/arguments.h"

namespace talvirex::cli {

struct BankChoice {
  bool all = false;  // Banks 1..10
  int slot = 0;      // the bank slot 0..10 when not `all`
};

/// The choice from "--bank N" / "--all" (Bank 1 when neither is given); nothing, with the reason
/// written to `err`, when the value is not 1..10 or D or both options are given.
std::optional<BankChoice> ParseBankChoice(const Arguments& args, const std::string& command,
                                          std::ostream& err);

}  // namespace talvirex::cli
