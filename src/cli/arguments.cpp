// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/arguments.h"

namespace talvirex::cli {

Arguments::Arguments(const std::vector<std::string>& args, const std::set<std::string>& valued,
                     const std::set<std::string>& flags) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg.front() != '-') {  // "-" alone is a positional (standard input)
      positional_.push_back(arg);
    } else if (valued.contains(arg)) {
      if (i + 1 >= args.size()) {
        error_ = "option " + arg + " needs a value";
        return;
      }
      values_.emplace_back(arg, args[++i]);
    } else if (flags.contains(arg)) {
      present_flags_.insert(arg);
    } else {
      error_ = "unknown option " + arg;
      return;
    }
  }
}

std::optional<std::string> Arguments::Value(const std::string& option) const {
  for (auto it = values_.rbegin(); it != values_.rend(); ++it) {
    if (it->first == option) return it->second;
  }
  return std::nullopt;
}

}  // namespace talvirex::cli
