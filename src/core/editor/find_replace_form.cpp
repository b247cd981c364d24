// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/find_replace_form.h"

#include "editor/cell_editor.h"
#include "editor/history.h"
#include "model/channel_table.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex {

void FindForm::Open(Workspace& workspace) {
  ws_ = &workspace;
  field_ = workspace.settings.find_in_tags ? kComments : kFrequency;
  scope_ =
      workspace.settings.find_in_all_banks ? SearchScope::kAllBanks : SearchScope::kCurrentBank;
  channel_label_.clear();
  bank_label_.clear();
}

void FindForm::SetField(SearchField field) {
  field_ = field;
  if (ws_ != nullptr) ws_->settings.find_in_tags = field == kComments;
}

void FindForm::SetScope(SearchScope scope) {
  scope_ = scope;
  if (ws_ != nullptr) ws_->settings.find_in_all_banks = scope == SearchScope::kAllBanks;
}

bool FindForm::Find() {
  if (ws_ == nullptr || text.empty()) return false;
  channel_label_.clear();
  bank_label_.clear();
  const int field = field_ == kComments ? kFieldTag : kFieldFrequency;
  const auto matches = [&](int bank, int row) {
    return Contains(ws_->table.At(bank, row, field), text);
  };
  const auto report = [&](int bank, int row) {
    channel_label_ = IntText(ChannelNumber(bank, row));
    bank_label_ = IntText(bank + 1);
    return true;
  };
  if (scope_ == SearchScope::kAllBanks) {
    for (int number = 1; number <= kChannelCount; ++number) {
      if (matches(BankOf(number), RowOf(number))) return report(BankOf(number), RowOf(number));
    }
    return false;
  }
  const int bank = ws_->current_bank;
  if (bank < 0 || bank > kDummyBank) return false;
  for (int row = 1; row <= kChannelsPerBank; ++row) {
    if (matches(bank, row)) return report(bank, row);
  }
  return false;
}

std::string ReplacedTag(std::string_view tag, std::string_view find, std::string_view replacement) {
  const std::size_t at = find.empty() ? std::string_view::npos : tag.find(find);
  if (tag.empty() || at == std::string_view::npos) return std::string(tag);
  std::string replaced(tag.substr(0, at));
  replaced += replacement;
  replaced += tag.substr(at + find.size());
  return TagFromOutside(replaced);
}

void ReplaceForm::Open(Workspace& workspace) {
  ws_ = &workspace;
  find_text.clear();
  replace_text.clear();
  scope = SearchScope::kCurrentBank;
}

int ReplaceForm::ReplaceInBank(int bank) {
  if (bank < 0 || bank > kDummyBank) return 0;
  int changed = 0;
  for (int row = 1; row <= kChannelsPerBank; ++row) {
    std::string& tag = ws_->table.At(bank, row, kFieldTag);
    std::string replaced = ReplacedTag(tag, find_text, replace_text);
    if (replaced == tag) continue;
    tag = std::move(replaced);
    ++changed;
  }
  return changed;
}

int ReplaceForm::Apply() {
  if (ws_ == nullptr || find_text.empty()) return 0;
  int changed = 0;
  if (scope == SearchScope::kCurrentBank) {
    changed = ReplaceInBank(ws_->current_bank);
  } else {
    for (int bank = 0; bank < kScannerBanks; ++bank) changed += ReplaceInBank(bank);
  }
  RecordTableStep(*ws_, "Replace");  // the grid shows the table when the dialog closes
  return changed;
}

}  // namespace talvirex
