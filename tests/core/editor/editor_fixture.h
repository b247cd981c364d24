#pragma once
// A workspace with the editor's parts wired to scripted ports, for driving the grid as a user.

#include <string>
#include <string_view>

#include "editor/cell_editor.h"
#include "editor/grid_bridge.h"
#include "editor/line_commands.h"
#include "support/fake_ports.h"
#include "workspace.h"

namespace talvirex::testing {

class EditorFixture {
 public:
  EditorFixture() { ws.grid.SetCurrent(1, 1); }

  void Type(std::string_view text) {
    for (const char c : text) editor.TypeChar(static_cast<unsigned char>(c));
  }
  void Enter() { editor.TypeChar(kKeyEnter); }
  void Select(int row, int column, int end_row, int end_column) {
    ws.grid.current = {row, column};
    ws.grid.selection_end = {end_row, end_column};
    editor.SelectionChanged();
  }
  void Select(int row, int column) { Select(row, column, row, column); }

  /// Stores "frequency|tag|delay|lock out|subtone|beep|att" in `row` of `bank` (the current bank
  /// by default); fields left out are "0". Nothing is redrawn.
  void Put(int row, std::string_view fields, int bank = -1) {
    for (int field = kFieldFrequency; field <= kFieldAtt; ++field) {
      const auto bar = fields.find('|');
      Table(bank, row, field) = field <= kFieldTag || !fields.empty() ? std::string(fields.substr(0, bar)) : "0";
      fields = bar == std::string_view::npos ? std::string_view() : fields.substr(bar + 1);
    }
  }
  void Store(int row, const std::string& f, const std::string& tag = "", const std::string& att = "0") {
    Put(row, f + "|" + tag + "|0|0|0|0|" + att);
  }
  /// Fields 1..7 of `row` of `bank` (the current bank by default), joined by "|".
  std::string Row(int row, int bank = -1) {
    std::string text = Table(bank, row, kFieldFrequency);
    for (int field = kFieldTag; field <= kFieldAtt; ++field) text += "|" + Table(bank, row, field);
    return text;
  }
  /// The grid's cells 1..7 of `row`, joined by "|".
  std::string Shown(int row) const {
    std::string text = ws.grid.Cell(row, 1);
    for (int column = 2; column <= 7; ++column) text += "|" + ws.grid.Cell(row, column);
    return text;
  }
  /// One stored field of rows `first`..`last` of the current bank, joined by ",".
  std::string Column(int field, int first = 1, int last = kChannelsPerBank) {
    std::string text = Stored(first, field);
    for (int row = first + 1; row <= last; ++row) text += "," + Stored(row, field);
    return text;
  }
  void Render() { RenderBank(ws, ui); }
  const std::string& Cell(int row, int column) const { return ws.grid.Cell(row, column); }
  std::string Stored(int row, int field) const { return ws.table.At(ws.current_bank, row, field); }

  Workspace ws;
  ScriptedUi ui;
  FakeClipboard clipboard;
  LineCommands lines{ws, ui, clipboard};
  CellEditor editor{ws, ui, lines};

 private:
  std::string& Table(int bank, int row, int field) {
    return ws.table.At(bank < 0 ? ws.current_bank : bank, row, field);
  }
};

}  // namespace talvirex::testing
