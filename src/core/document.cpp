// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"

namespace talvirex {

Document::Document() {
  BuildDefaultImage(clone_image);
  for (int b = 0; b < kScannerBanks; ++b) {
    bank_names[b] = "Bank: " + std::to_string(b + 1);
    priority[b] = ChannelNumber(b, 1);
  }
  bank_names[10] = "Dummy";
  bank_names[11] = "Search";
  priority[10] = ChannelNumber(10, 1);
  for (int i = 0; i < kScannerBanks; ++i) scanner_settings[i] = 1;
}

bool IsUntitled(const Document& document) {
  return document.file_name.empty() || document.file_name.starts_with(kUntitled);
}

}  // namespace talvirex
