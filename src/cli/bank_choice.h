#pragma once
// What the exporting subcommands (csv, print) share: loading the channel file as the Open command
// does, and the choice "--bank N" (1..10, or D for the Dummy bank) or "--all".

#include <iosfwd>
#include <optional>
#include <string>

#include "cli/arguments.h"

namespace talvirex {
struct Workspace;
}

namespace talvirex::cli {

struct BankChoice {
  bool all = false;  // Banks 1..10
  int slot = 0;      // the bank slot 0..10 when not `all`
};

/// The choice from "--bank N" / "--all" (Bank 1 when neither is given); nothing, with the reason
/// written to `err`, when the value is not 1..10 or D or both options are given.
std::optional<BankChoice> ParseBankChoice(const Arguments& args, const std::string& command,
                                          std::ostream& err);

/// Loads the channel file at `path` into `workspace` with the user's settings, as Open does.
/// False when it could not be read (the message went to `err`).
bool LoadForExport(Workspace& workspace, const std::string& path, std::ostream& err);

}  // namespace talvirex::cli
