// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small argument reader shared by the subcommands: positional arguments, "-o FILE" style options
// with a value, and flags.

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace talvirex::cli {

class Arguments {
 public:
  /// Splits `args`; `valued` names the options that take a value ("-o", "--port").
  /// Anything starting with "-" that is not known is an error.
  Arguments(const std::vector<std::string>& args, const std::set<std::string>& valued,
            const std::set<std::string>& flags);

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  const std::vector<std::string>& positional() const { return positional_; }
  std::optional<std::string> Value(const std::string& option) const;
  bool Has(const std::string& flag) const { return present_flags_.contains(flag); }

 private:
  std::vector<std::string> positional_;
  std::vector<std::pair<std::string, std::string>> values_;
  std::set<std::string> present_flags_;
  std::string error_;
};

}  // namespace talvirex::cli
