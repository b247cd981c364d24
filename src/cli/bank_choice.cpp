// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/bank_choice.h"

#include <ostream>

#include "model/channel_table.h"
#include "model/numeric_value.h"

namespace talvirex::cli {

std::optional<BankChoice> ParseBankChoice(const Arguments& args, const std::string& command,
                                          std::ostream& err) {
  const auto bank = args.Value("--bank");
  if (bank && args.Has("--all")) {
    err << "talvirex " << command << ": give either --bank or --all\n";
    return std::nullopt;
  }
  if (args.Has("--all")) return BankChoice{true, 0};
  if (!bank) return BankChoice{false, 0};
  if (*bank == "D" || *bank == "d") return BankChoice{false, kDummyBank};
  const bool digits = !bank->empty() && bank->find_first_not_of("0123456789") == std::string::npos;
  const int number = digits && bank->size() <= 2 ? SmallIntValue(*bank) : 0;
  if (number < 1 || number > kScannerBanks) {
    err << "talvirex " << command << ": --bank takes 1..10 or D, not '" << *bank << "'\n";
    return std::nullopt;
  }
  return BankChoice{false, number - 1};
}

}  // namespace talvirex::cli
