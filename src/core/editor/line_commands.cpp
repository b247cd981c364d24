// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/line_commands.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "editor/cell_editor.h"
#include "editor/grid_bridge.h"
#include "model/numeric_value.h"
#include "ports/clipboard.h"
#include "ports/ui.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex {

namespace {

constexpr int kFirstColumn = 1;
constexpr int kLastColumn = 7;

int ClampRow(int row) { return std::clamp(row, 1, kChannelsPerBank); }
int ClampColumn(int column) { return std::clamp(column, kFirstColumn, kLastColumn); }

// The line commands' rows: the selected rectangle's, top to bottom, within the bank.
struct RowRange {
  int first;
  int last;
  int Count() const { return last - first + 1; }
};

RowRange SelectedRows(const Grid& grid) {
  return {ClampRow(grid.TopRow()), ClampRow(grid.BottomRow())};
}

void MoveTableRow(ChannelTable& table, int bank, int from, int to) {
  for (int field = 0; field < kFields; ++field)
    table.At(bank, to, field) = table.At(bank, from, field);
}

void SetTableRow(ChannelTable& table, int bank, int row, const std::string& frequency,
                 const std::string& other) {
  table.At(bank, row, kFieldSpare) = other;
  table.At(bank, row, kFieldFrequency) = frequency;
  for (int field = kFieldTag; field <= kFieldAtt; ++field) table.At(bank, row, field) = other;
}

std::size_t CountOf(std::string_view text, char c) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

}  // namespace

LineCommands::LineCommands(Workspace& workspace, Ui& ui, Clipboard& clipboard)
    : ws_(workspace), ui_(ui), clipboard_(clipboard) {}

bool LineCommands::Confirmed() {
  if (ws_.settings.expert) return true;
  return ui_.Ask({"Are you sure?", " ", Buttons::kYesNo, Icon::kQuestion}) == Answer::kYes;
}

void TakeSnapshot(Workspace& ws, Ui& ui) {
  CommitBank(ws, ui);
  // What changed before the command is a step of its own, so that Undo takes back the command
  // alone.
  RecordStep(ws, EditStepName(ws));
}

void LineCommands::EmptySelectedCells() {
  const Grid& g = ws_.grid;
  for (int row = ClampRow(g.TopRow()); row <= ClampRow(g.BottomRow()); ++row) {
    for (int column = ClampColumn(g.LeftColumn()); column <= ClampColumn(g.RightColumn());
         ++column) {
      ws_.grid.Cell(row, column).clear();
    }
  }
}

void LineCommands::ClearSelectedCells() {
  TakeSnapshot();
  EmptySelectedCells();
}

void LineCommands::ClearSelectedLines() {
  if (!Confirmed()) return;
  TakeSnapshot();
  const int bank = ws_.current_bank;
  const RowRange rows = SelectedRows(ws_.grid);
  for (int row = rows.first; row <= rows.last; ++row) {
    for (int field = kFieldFrequency; field <= kFieldAtt; ++field)
      ws_.table.At(bank, row, field).clear();
  }
  RenderBank(ws_, ui_);
  ws_.grid.SetCurrent(ws_.grid.current.row, ws_.grid.current.column);
}

void LineCommands::InsertEmptyLines() {
  TakeSnapshot();
  const int bank = ws_.current_bank;
  const std::string& last = ws_.table.At(bank, kChannelsPerBank, kFieldFrequency);
  if (!last.empty() && NumericValue(last) != 0) {
    const std::string text = "Channel " + IntText(ChannelNumber(bank, kChannelsPerBank)) +
                             " contains data.\r\nThis data will be lost.\r\nContinue?";
    if (ui_.Ask({text, "Warning", Buttons::kYesNo, Icon::kCritical}) != Answer::kYes) return;
  }
  const RowRange rows = SelectedRows(ws_.grid);
  for (int pass = 0; pass < rows.Count(); ++pass) {
    for (int row = kChannelsPerBank; row > rows.first; --row)
      MoveTableRow(ws_.table, bank, row - 1, row);
    SetTableRow(ws_.table, bank, rows.first, "Empty", " ");
  }
  RenderBank(ws_, ui_);
}

void LineCommands::RemoveSelectedLines() {
  if (!Confirmed()) return;
  const CellPos current = ws_.grid.current;
  const CellPos corner = ws_.grid.selection_end;
  TakeSnapshot();
  const int bank = ws_.current_bank;
  const RowRange rows = SelectedRows(ws_.grid);
  for (int pass = 0; pass < rows.Count(); ++pass) {
    for (int row = rows.first; row <= kChannelsPerBank; ++row)
      MoveTableRow(ws_.table, bank, row + 1, row);
    SetTableRow(ws_.table, bank, kChannelsPerBank, "Empty", "");
  }
  RenderBank(ws_, ui_);
  ws_.grid.current = current;
  ws_.grid.selection_end = corner;
}

void LineCommands::RemoveEmptyLines() {
  static constexpr std::string_view kFilledMarker = "9999";
  const CellPos current = ws_.grid.current;
  const CellPos corner = ws_.grid.selection_end;
  TakeSnapshot();
  const int bank = ws_.current_bank;
  for (int row = 1; row <= kChannelsPerBank;) {
    if (ws_.table.FrequencyValue(bank, row) != 0) {
      ++row;
      continue;
    }
    ui_.ShowProgress(row, kChannelsPerBank);
    for (int i = row; i <= kChannelsPerBank; ++i) MoveTableRow(ws_.table, bank, i + 1, i);
    SetTableRow(ws_.table, bank, kChannelsPerBank, std::string(kFilledMarker), " ");
  }
  for (int row = 1; row <= kChannelsPerBank; ++row) {
    std::string& frequency = ws_.table.At(bank, row, kFieldFrequency);
    if (frequency == kFilledMarker) frequency = "Empty";
  }
  RenderBank(ws_, ui_);
  ws_.grid.current = current;
  ws_.grid.selection_end = corner;
}

void LineCommands::SwapGridRows(int a, int b) {
  for (int column = kFirstColumn; column <= kLastColumn; ++column) {
    std::swap(ws_.grid.Cell(a, column), ws_.grid.Cell(b, column));
  }
}

void LineCommands::ShiftToNextNumber() {
  const RowRange rows = SelectedRows(ws_.grid);
  if (rows.first != rows.last) return;
  if (rows.first == kChannelsPerBank) {
    ui_.Beep();
    return;
  }
  SwapGridRows(rows.first, rows.first + 1);
  ws_.grid.current = {rows.first + 1, kFirstColumn};
  ws_.grid.selection_end = {rows.first + 1, kLastColumn};
}

void LineCommands::ShiftToPreviousNumber() {
  const RowRange rows = SelectedRows(ws_.grid);
  if (rows.first != rows.last) return;
  if (rows.first == 1) {
    ui_.Beep();
    return;
  }
  SwapGridRows(rows.first, rows.first - 1);
  ws_.grid.current = {rows.first - 1, kFirstColumn};
  ws_.grid.selection_end = {rows.first - 1, kLastColumn};
}

void LineCommands::ShiftChannelUp() {
  if (ws_.settings.reverse_shift) {
    ShiftToPreviousNumber();
  } else {
    ShiftToNextNumber();
  }
}

void LineCommands::ShiftChannelDown() {
  if (ws_.settings.reverse_shift) {
    ShiftToNextNumber();
  } else {
    ShiftToPreviousNumber();
  }
}

std::string LineCommands::SelectedBlockText() const {
  const Grid& g = ws_.grid;
  std::string text;
  for (int row = ClampRow(g.TopRow()); row <= ClampRow(g.BottomRow()); ++row) {
    if (row != ClampRow(g.TopRow())) text += '\r';
    for (int column = ClampColumn(g.LeftColumn()); column <= ClampColumn(g.RightColumn());
         ++column) {
      if (column != ClampColumn(g.LeftColumn())) text += '\t';
      text += g.Cell(row, column);
    }
  }
  return text;
}

void LineCommands::Copy() {
  TakeSnapshot();
  const std::string block = SelectedBlockText();
  if (block.empty()) return;
  std::string text;
  text.reserve(block.size() + CountOf(block, '\r'));
  for (const char c : block) {
    text += c;
    if (c == '\r') text += '\n';
  }
  clipboard_.SetText(text);
}

void LineCommands::Cut() {
  Copy();
  EmptySelectedCells();
}

void LineCommands::Paste() {
  TakeSnapshot();
  const std::string text = clipboard_.GetText();
  long long rows = static_cast<long long>(CountOf(text, '\r'));
  if (text.ends_with("\r\n")) --rows;
  rows = std::max(rows, 0LL) + 1;
  double columns_less_one = static_cast<double>(CountOf(text, '\t'));
  if (rows > 1) columns_less_one = std::nearbyint(columns_less_one / static_cast<double>(rows));
  const long long columns = static_cast<long long>(columns_less_one) + 1;

  const int top = ClampRow(ws_.grid.current.row);
  const int left = ClampColumn(ws_.grid.current.column);
  const int bottom = static_cast<int>(std::min<long long>(top + rows - 1, kChannelsPerBank));
  const int right = static_cast<int>(std::min<long long>(left + columns - 1, kLastColumn));
  ws_.grid.current = {top, left};
  ws_.grid.selection_end = {bottom, right};

  std::string cells;
  cells.reserve(text.size());
  for (const char c : text) {
    if (c != '\n') cells += c;
  }
  if (cells.empty()) return;
  std::string_view rest = cells;
  for (int row = top; row <= bottom; ++row) {
    const std::size_t line_end = rest.find('\r');
    std::string_view line = rest.substr(0, line_end);
    for (int column = left; column <= right; ++column) {
      const std::size_t cell_end = line.find('\t');
      const std::string_view cell = line.substr(0, cell_end);
      ws_.grid.Cell(row, column) = column == kFieldTag ? TagFromOutside(cell) : std::string(cell);
      if (cell_end == std::string_view::npos) break;
      line.remove_prefix(cell_end + 1);
    }
    if (line_end == std::string_view::npos) break;
    rest.remove_prefix(line_end + 1);
  }
}

void LineCommands::WidenToLines() {
  ws_.grid.current.column = kFirstColumn;
  ws_.grid.selection_end.column = kLastColumn;
}

void LineCommands::CopyLines() {
  WidenToLines();
  Copy();
}

void LineCommands::CutLines() {
  WidenToLines();
  Cut();
}

void LineCommands::PasteLines() {
  WidenToLines();
  Paste();
}

void LineCommands::Delete() {
  if (!Confirmed()) return;
  ClearSelectedCells();
}

void LineCommands::SelectAll() {
  ws_.grid.current = {1, kFirstColumn};
  ws_.grid.selection_end = {kChannelsPerBank, kLastColumn};
}

void LineCommands::ClearCurrentBank() {
  const Answer answer = ui_.Ask({"This will clear the current bank.\r\nAre you sure?", " ",
                                 Buttons::kYesNo, Icon::kQuestion});
  if (answer != Answer::kYes) return;
  SelectAll();
  ClearSelectedCells();
  ws_.grid.SetCurrent(1, kFirstColumn);
  // Clearing empties the search range too, a list the channel file stores.
  ClearBank(ws_);
  ws_.status.bank_usage = BankUsageSummary(ws_.table);
}

void LineCommands::FillDown() {
  const Grid& g = ws_.grid;
  const int top = ClampRow(g.TopRow());
  const int bottom = ClampRow(g.BottomRow());
  const int left = ClampColumn(g.LeftColumn());
  const int right = ClampColumn(g.RightColumn());
  if (bottom <= top) return;
  for (int column = left; column <= right; ++column) {
    const std::string source = ws_.grid.Cell(top, column);
    for (int row = top + 1; row <= bottom; ++row) ws_.grid.Cell(row, column) = source;
  }
}

void LineCommands::FillSeries() {
  static constexpr std::size_t kMostDigits = 6;
  const Grid& g = ws_.grid;
  if (g.LeftColumn() != kFieldTag || g.RightColumn() != kFieldTag) return;
  const int top = ClampRow(g.TopRow());
  const int bottom = ClampRow(g.BottomRow());
  std::string text = g.Cell(top, kFieldTag);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  std::size_t digits = 0;
  while (digits < kMostDigits && digits < text.size() &&
         std::isdigit(static_cast<unsigned char>(text[text.size() - 1 - digits]))) {
    ++digits;
  }
  if (digits == 0) return;
  const std::string prefix = text.substr(0, text.size() - digits);
  const long long number = std::stoll(text.substr(text.size() - digits));
  for (int row = top + 1; row <= bottom; ++row) {
    ws_.grid.Cell(row, kFieldTag) = prefix + IntText(number + (row - top));
  }
}

void LineCommands::ClearLockouts() {
  TakeSnapshot();
  const int bank = ws_.current_bank;
  if (bank < 0 || bank > kDummyBank) return;
  for (int row = 1; row <= kChannelsPerBank; ++row) {
    if (ws_.table.FrequencyValue(bank, row) == 0) continue;
    std::string& lockout = ws_.table.At(bank, row, kFieldLockOut);
    lockout = "0";
  }
  RenderBank(ws_, ui_);
}

std::optional<StepPlace> LineCommands::Undo() { return StepThroughHistory(false); }

std::optional<StepPlace> LineCommands::Redo() { return StepThroughHistory(true); }

std::optional<StepPlace> LineCommands::StepThroughHistory(bool redo) {
  RecordStep(ws_, ui_, EditStepName(ws_));  // an edit still in the grid is the step to undo
  // The table takes every edit the grid shows, so that the redraw after the step keeps them.
  CommitBank(ws_, ui_);
  const auto place = redo ? ws_.history.Redo(ws_) : ws_.history.Undo(ws_);
  if (!place) return place;
  RenderBank(ws_, ui_);
  SettleShownBank(ws_);
  ui_.SetStatus((redo ? "Undo: " : "Redo: ") + place->name);  // what the key does next
  return place;
}

bool LineCommands::UndoAvailable() const { return ws_.history.CanUndo(); }

}  // namespace talvirex
