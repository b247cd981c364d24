// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace talvirex {

/// The system clipboard's text.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual std::string GetText() = 0;
  virtual void SetText(const std::string& text) = 0;
};

}  // namespace talvirex
