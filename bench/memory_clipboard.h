// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clipboard the benchmarks use: a string in memory, so copy and paste cost no desktop call.

#include <string>

#include "ports/clipboard.h"

namespace talvirex {

class MemoryClipboard final : public Clipboard {
 public:
  std::string GetText() override { return text; }
  void SetText(const std::string& value) override { text = value; }
  std::string text;
};

}  // namespace talvirex
