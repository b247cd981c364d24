#include "editor/grid_bridge.h"

#include <algorithm>
#include <cmath>

#include "model/frequency.h"
#include "model/numeric_value.h"
#include "ports/ui.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex {

namespace {

constexpr long long kHighestFrequencyMhz = 1300;

std::string StoredOnOff(const std::string& shown) {
  if (shown == "Off") return "0";
  if (shown == "On") return "1";
  return shown;
}

std::string StoredSubtone(const std::string& shown) {
  const int code = SubtoneCodeOf(shown);
  return code >= 0 ? IntText(code) : shown;
}

std::string ShownOnOff(const std::string& stored) {
  if (stored == "0") return "Off";
  if (stored == "1") return "On";
  return {};
}

void RefillTagDropdowns(Workspace& ws) {
  const TagLists& tags = ws.tags;
  const int last = std::clamp(tags.tag_count, 0, TagLists::kTagListSlots - 1);
  ws.tag_dropdowns.easy_tags.assign(tags.tag_list.begin(), tags.tag_list.begin() + last + 1);
  for (int bank = 0; bank < kScannerBanks; ++bank) {
    const auto& slots = tags.bank_tag_list[bank];
    const int bank_last = std::clamp(tags.bank_tag_count[bank], 0, TagLists::kBankTagListSlots - 1);
    ws.tag_dropdowns.bank_tags[bank].assign(slots.begin(), slots.begin() + bank_last + 1);
  }
}

}  // namespace

std::string BankUsageSummary(const ChannelTable& table) {
  std::string summary(21, '-');
  summary += ' ';
  for (int bank = 0; bank <= 8; ++bank) {
    if (IsBankInUse(table, bank)) summary[2 * bank] = static_cast<char>('1' + bank);
  }
  if (IsBankInUse(table, 9)) summary.replace(18, 2, "10");
  if (IsBankInUse(table, kDummyBank)) summary[21] = 'D';
  return summary;
}

void CommitRow(Workspace& ws, int row) {
  const int bank = ws.current_bank;
  if (bank < 0 || bank > kDummyBank || row < 1 || row > kChannelsPerBank) return;
  for (int column = 1; column <= 7; ++column) {
    std::string& stored = ws.table.At(bank, row, column);
    stored = ws.grid.Cell(row, column);
    if (column == kFieldTag) RecordTag(ws.tags, stored, bank, ws.settings.easy_tag_lists);
  }
  std::string& frequency = ws.table.At(bank, row, kFieldFrequency);
  if (frequency.empty()) frequency = "0";
  frequency = FormatFrequency(frequency, ws.settings.hide_leading_zeros);
  if (WholeMhz(frequency) > kHighestFrequencyMhz) frequency = "1300";
  if (NumericValue(frequency) == 0) return;
  for (const int field : {kFieldDelay, kFieldLockOut, kFieldBeepAlert, kFieldAtt}) {
    std::string& flag = ws.table.At(bank, row, field);
    flag = StoredOnOff(flag);
  }
  std::string& subtone = ws.table.At(bank, row, kFieldSubtone);
  subtone = StoredSubtone(subtone);
}

void CommitBank(Workspace& ws, Ui& ui) {
  const int bank = ws.current_bank;
  if (bank < 0 || bank > kDummyBank) return;
  const CellPos current = ws.grid.current;
  const CellPos corner = ws.grid.selection_end;
  for (int row = 1; row <= kChannelsPerBank; ++row) {
    ui.ShowProgress(row, kChannelsPerBank);
    CommitRow(ws, row);
  }
  ui.ShowProgress(0, 0);
  ws.grid.current = current;
  ws.grid.selection_end = corner;
}

void RenderCell(Workspace& ws, int field, int row) {
  const int bank = ws.current_bank;
  std::string& cell = ws.grid.Cell(row, field);
  cell.clear();
  if (ws.table.FrequencyValue(bank, row) == 0) return;
  const std::string& stored = ws.table.At(bank, row, field);
  switch (field) {
    case kFieldFrequency: cell = FormatFrequency(stored, ws.settings.hide_leading_zeros); break;
    case kFieldTag: {
      cell = stored;
      std::string recorded = stored;
      RecordTag(ws.tags, recorded, bank, ws.settings.easy_tag_lists);
      break;
    }
    case kFieldSubtone:
      cell = SubtoneText(stored);
      break;
    default:
      cell = ShownOnOff(stored);
      break;
  }
}

void RenderBank(Workspace& ws, Ui& ui) {
  if (ws.current_bank < 0 || ws.current_bank > kDummyBank) return;
  const CellPos current = ws.grid.current;
  const CellPos corner = ws.grid.selection_end;
  for (int column = 1; column <= 7; ++column) {
    ui.ShowProgress(static_cast<int>(std::nearbyint(column * 20.0 / 7.0)), kChannelsPerBank);
    for (int row = 1; row <= kChannelsPerBank; ++row) RenderCell(ws, column, row);
  }
  if (ws.settings.easy_tag_lists) RefillTagDropdowns(ws);
  ws.status.bank_usage = BankUsageSummary(ws.table);
  ui.ShowProgress(0, 0);
  ws.grid.current = current;
  ws.grid.selection_end = corner;
  ws.grid.current.row = std::min(ws.grid.current.row, kChannelsPerBank);
  ws.grid.selection_end.row = std::min(ws.grid.selection_end.row, kChannelsPerBank);
}

}  // namespace talvirex
