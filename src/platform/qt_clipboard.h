// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ports/clipboard.h"

namespace talvirex {

/// The system clipboard's text through QClipboard (needs a QGuiApplication).
class QtClipboard final : public Clipboard {
 public:
  std::string GetText() override;
  void SetText(const std::string& text) override;
};

}  // namespace talvirex
