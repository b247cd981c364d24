// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/memory_manager_form.h"

#include <algorithm>

#include "editor/history.h"
#include "model/channel_table.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex {

namespace {

constexpr int kSpareRow = 21;
constexpr int kAllBanksEntries = (kDummyBank + 1) * kChannelsPerBank;  // 220

bool IsChannel(ChannelSlot slot) {
  return slot.bank >= 0 && slot.bank <= kDummyBank && slot.row >= 1 && slot.row <= kChannelsPerBank;
}

bool IsBank(int bank) { return bank >= 0 && bank <= kDummyBank; }

std::string BankPrefix(int bank) {
  return bank == kDummyBank ? std::string("Dummy - ") : "Bank " + IntText(bank + 1) + " - ";
}

void CopyFields(ChannelTable& table, ChannelSlot from, ChannelSlot to) {
  for (int field = kFieldFrequency; field <= kFieldAtt; ++field) {
    table.At(to.bank, to.row, field) = table.At(from.bank, from.row, field);
  }
}

}  // namespace

bool OperateChannel(ChannelTable& table, ChannelSlot from, ChannelSlot to, ManagerOperation op) {
  if (!IsChannel(from) || !IsChannel(to)) return false;
  switch (op) {
    case ManagerOperation::kCopy: CopyFields(table, from, to); break;
    case ManagerOperation::kMove:
      CopyFields(table, from, to);
      if (from.bank != to.bank || from.row != to.row) {
        for (int field = kFieldFrequency; field <= kFieldAtt; ++field) {
          table.At(from.bank, from.row, field).clear();
        }
      }
      break;
    case ManagerOperation::kSwap: {
      const ChannelSlot spare{to.bank, kSpareRow};
      for (int field = kFieldFrequency; field <= kFieldAtt; ++field) {
        table.At(spare.bank, spare.row, field) = table.At(to.bank, to.row, field);
      }
      CopyFields(table, from, to);
      for (int field = kFieldFrequency; field <= kFieldAtt; ++field) {
        table.At(from.bank, from.row, field) = table.At(spare.bank, spare.row, field);
      }
      break;
    }
  }
  return true;
}

bool OperateBank(Workspace& ws, int from, int to, ManagerOperation op, bool include_names) {
  if (!IsBank(from) || !IsBank(to)) return false;
  if (from == to) return true;
  auto& names = ws.bank_names;
  switch (op) {
    case ManagerOperation::kCopy:
    case ManagerOperation::kMove:
      if (include_names) names[to] = names[from];
      for (int row = 1; row <= kChannelsPerBank; ++row) {
        CopyFields(ws.table, {from, row}, {to, row});
      }
      if (op == ManagerOperation::kMove) {
        if (include_names) names[from].clear();
        for (int row = 1; row <= kChannelsPerBank; ++row) {
          for (int field = kFieldFrequency; field <= kFieldAtt; ++field) {
            ws.table.At(from, row, field).clear();
          }
        }
      }
      break;
    case ManagerOperation::kSwap: {
      if (include_names) std::swap(names[from], names[to]);
      std::array<std::array<std::string, 7>, kChannelsPerBank> held;
      for (int row = 1; row <= kChannelsPerBank; ++row) {
        for (int field = kFieldFrequency; field <= kFieldAtt; ++field) {
          held[row - 1][field - 1] = ws.table.At(to, row, field);
        }
        CopyFields(ws.table, {from, row}, {to, row});
        for (int field = kFieldFrequency; field <= kFieldAtt; ++field) {
          ws.table.At(from, row, field) = held[row - 1][field - 1];
        }
      }
      break;
    }
  }
  return true;
}

std::string ChannelEntry(const ChannelTable& table, int bank, int row, bool bank_prefix) {
  if (!IsChannel({bank, row})) return {};
  std::string entry = bank_prefix ? BankPrefix(bank) : std::string();
  entry += IntText(ChannelNumber(bank, row)) + " : ";
  if (table.FrequencyValue(bank, row) == 0) return entry + "Empty";
  return entry + table.At(bank, row, kFieldFrequency) + " - " + table.At(bank, row, kFieldTag);
}

std::string BankEntry(const Workspace& ws, int bank) {
  if (!IsBank(bank)) return {};
  std::string entry = bank == kDummyBank ? std::string("Dummy: ") : IntText(bank + 1) + ": ";
  entry += ws.bank_names[bank];
  entry += IsBankInUse(ws.table, bank) ? " " : "  -  EMPTY";
  return entry;
}

void MemoryManagerForm::Open(Workspace& workspace, ManagerMode mode) {
  ws_ = &workspace;
  mode_ = mode;
  operation_ = ManagerOperation::kCopy;
  scope_ = ManagerScope::kCurrentBank;
  include_bank_tag = workspace.settings.copy_tags;
  frequencies = true;
  trunk_ids = false;
  trunk_settings = false;
  Fill();
  source_ = 0;
  destination_ = 0;
  pending_ = false;
}

std::string_view MemoryManagerForm::ManagerModeText() const {
  return mode_ == ManagerMode::kChannels ? kChannelManagerMode : kBankManagerMode;
}

std::string_view MemoryManagerForm::Title() const {
  return mode_ == ManagerMode::kChannels ? "Edit Memory Data" : "Edit Memory Banks";
}

std::string_view MemoryManagerForm::SourceLabel() const {
  return mode_ == ManagerMode::kChannels ? "From" : "&Load Bank:";
}

std::string_view MemoryManagerForm::DestinationLabel() const {
  return mode_ == ManagerMode::kChannels ? "To" : "&Save Bank:";
}

void MemoryManagerForm::Fill() {
  entries_.clear();
  if (ws_ == nullptr) return;
  if (mode_ == ManagerMode::kBanks) {
    for (int bank = 0; bank <= kDummyBank; ++bank) entries_.push_back(BankEntry(*ws_, bank));
    return;
  }
  if (scope_ == ManagerScope::kAllBanks) {
    for (int k = 0; k < kAllBanksEntries; ++k) {
      const ChannelSlot slot = SlotOf(k);
      entries_.push_back(ChannelEntry(ws_->table, slot.bank, slot.row, true));
    }
    return;
  }
  const int bank = std::clamp(ws_->current_bank, 0, kDummyBank);
  for (int row = 1; row <= kChannelsPerBank; ++row) {
    entries_.push_back(ChannelEntry(ws_->table, bank, row, false));
  }
}

int MemoryManagerForm::Held(int index) const {
  if (entries_.empty()) return 0;
  return std::clamp(index, 0, static_cast<int>(entries_.size()) - 1);
}

ChannelSlot MemoryManagerForm::SlotOf(int index) const {
  if (scope_ == ManagerScope::kAllBanks) {
    return {index / kChannelsPerBank, index - kChannelsPerBank * (index / kChannelsPerBank) + 1};
  }
  return {ws_ == nullptr ? 0 : std::clamp(ws_->current_bank, 0, kDummyBank), index + 1};
}

void MemoryManagerForm::SelectSource(int index) {
  source_ = Held(index);
  pending_ = true;
}

void MemoryManagerForm::SelectDestination(int index) {
  destination_ = Held(index);
  pending_ = true;
}

void MemoryManagerForm::SetOperation(ManagerOperation operation) {
  operation_ = operation;
  pending_ = true;
}

void MemoryManagerForm::SetScope(ManagerScope scope) {
  if (mode_ != ManagerMode::kChannels) return;
  scope_ = scope;
  Fill();
  SelectSource(0);
  SelectDestination(0);
}

void MemoryManagerForm::Apply() {
  if (ws_ == nullptr || source_ == destination_) return;
  if (mode_ == ManagerMode::kChannels) {
    OperateChannel(ws_->table, SlotOf(source_), SlotOf(destination_), operation_);
  } else {
    ws_->settings.copy_tags = include_bank_tag;
    if (frequencies) OperateBank(*ws_, source_, destination_, operation_, include_bank_tag);
  }
  Fill();
  source_ = Held(source_);
  destination_ = Held(destination_);
  pending_ = false;
  RecordTableStep(*ws_, "Memory Manager");  // the grid shows the table when it closes
}

void MemoryManagerForm::Ok() {
  if (pending_) Apply();
}

}  // namespace talvirex
