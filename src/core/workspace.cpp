#include "workspace.h"

#include "image/clone_image.h"

namespace talvirex {

Workspace::Workspace() {
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

void ClearBank(Workspace& workspace) {
  const int bank = workspace.current_bank;
  if (bank < 0 || bank > 11) return;
  for (int row = 0; row <= kChannelsPerBank; ++row) {
    workspace.table.At(bank, row, kFieldSpare) = " ";
    workspace.table.At(bank, row, kFieldFrequency) = "Empty";
    for (int field = kFieldTag; field <= kFieldAtt; ++field) workspace.table.At(bank, row, field) = " ";
  }
  workspace.search_range[0].clear();
  workspace.search_range[1].clear();
}

bool IsUntitled(const Workspace& workspace) {
  return workspace.file_name.empty() || workspace.file_name.starts_with(kUntitled);
}

}  // namespace talvirex
