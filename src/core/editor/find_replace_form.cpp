// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/find_replace_form.h"

#include "editor/cell_editor.h"
#include "editor/history.h"
#include "model/channel_table.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex {

void FindForm::Open(Workspace& workspace, ShowMatch show) {
  ws_ = &workspace;
  show_ = std::move(show);
  field_ = workspace.settings.find_in_tags ? kComments : kFrequency;
  scope_ =
      workspace.settings.find_in_all_banks ? SearchScope::kAllBanks : SearchScope::kCurrentBank;
  channel_label_.clear();
  bank_label_.clear();
  wrapped_ = false;
  Restart();
}

void FindForm::SetField(SearchField field) {
  if (field != field_) Restart();
  field_ = field;
  if (ws_ != nullptr) ws_->settings.find_in_tags = field == kComments;
}

void FindForm::SetScope(SearchScope scope) {
  if (scope != scope_) Restart();
  scope_ = scope;
  if (ws_ != nullptr) ws_->settings.find_in_all_banks = scope == SearchScope::kAllBanks;
}

bool FindForm::Find() {
  if (ws_ == nullptr || text.empty()) return false;
  channel_label_.clear();
  bank_label_.clear();
  wrapped_ = false;
  const bool all = scope_ == SearchScope::kAllBanks;
  const int shown_bank = ws_->current_bank;
  if (!all && (shown_bank < 0 || shown_bank > kDummyBank)) return false;
  if (text != searched_text_ || (!all && shown_bank != searched_bank_)) Restart();
  const int field = field_ == kComments ? kFieldTag : kFieldFrequency;
  const int count = all ? kChannelCount : kChannelsPerBank;
  const auto bank_at = [&](int at) { return all ? BankOf(at + 1) : shown_bank; };
  const auto row_at = [&](int at) { return all ? RowOf(at + 1) : at + 1; };
  const int start = last_match_ + 1;
  for (int step = 0; step < count; ++step) {
    const int at = (start + step) % count;
    const int bank = bank_at(at);
    const int row = row_at(at);
    if (!Contains(ws_->table.At(bank, row, field), text)) continue;
    channel_label_ = IntText(ChannelNumber(bank, row));
    bank_label_ = IntText(bank + 1);
    wrapped_ = start + step >= count;
    last_match_ = at;
    searched_text_ = text;
    if (show_) show_(bank, row, field);
    searched_bank_ = ws_->current_bank;
    return true;
  }
  Restart();
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
