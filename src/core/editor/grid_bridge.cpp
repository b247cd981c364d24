// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/grid_bridge.h"

#include <algorithm>
#include <cmath>

#include "editor/history.h"
#include "files/csv_import_form.h"
#include "model/shown_text.h"
#include "ports/ui.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex {

namespace {

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
  StoreGridRow(ws, row, ws.table);
  std::string recorded = ws.table.At(bank, row, kFieldTag);
  RecordTag(ws.tags, recorded, bank, ws.settings.easy_tag_lists);
}

void StoreGridRow(const Workspace& ws, int row, ChannelTable& table) {
  const int bank = ws.current_bank;
  if (bank < 0 || bank > kDummyBank || row < 1 || row > kChannelsPerBank) return;
  for (int column = 1; column <= 7; ++column)
    table.At(bank, row, column) = ws.grid.Cell(row, column);
  // Recording a tag in the Easy Tag lists takes its leading blanks off.
  std::string& tag = table.At(bank, row, kFieldTag);
  if (ws.settings.easy_tag_lists) tag = std::string(TrimLeadingBlanks(tag));
  StoreShownRow(table, bank, row, ws.settings.hide_leading_zeros);
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
  cell = ShownText(ws.table, bank, row, field, ws.settings.hide_leading_zeros);
  if (field == kFieldTag && !cell.empty()) {
    std::string recorded = cell;
    RecordTag(ws.tags, recorded, bank, ws.settings.easy_tag_lists);
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

bool ExportHarvestToTable(Workspace& ws, const CsvImportForm& form, Ui& ui) {
  // The window stays open beside the grid: a cell typed meanwhile is a step of its own.
  RecordStep(ws, ui, EditStepName(ws));
  const bool shown = ws.current_bank == form.bank();
  if (shown) CommitBank(ws, ui);
  const bool closing = form.ExportToTable(ws, ui);
  if (shown && closing) RenderBank(ws, ui);
  RecordStep(ws, ui, "Export To Table");
  return closing;
}

}  // namespace talvirex
