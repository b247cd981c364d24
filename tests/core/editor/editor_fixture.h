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

  /// Puts a channel into the table of the current bank and redraws it.
  void Store(int row, std::string frequency, std::string tag = "", std::string att = "0") {
    const int bank = ws.current_bank;
    ws.table.At(bank, row, kFieldFrequency) = std::move(frequency);
    ws.table.At(bank, row, kFieldTag) = std::move(tag);
    ws.table.At(bank, row, kFieldDelay) = "0";
    ws.table.At(bank, row, kFieldLockOut) = "0";
    ws.table.At(bank, row, kFieldSubtone) = "0";
    ws.table.At(bank, row, kFieldBeepAlert) = "0";
    ws.table.At(bank, row, kFieldAtt) = std::move(att);
  }
  void Render() { RenderBank(ws, ui); }
  const std::string& Cell(int row, int column) const { return ws.grid.Cell(row, column); }
  std::string Stored(int row, int field) const { return ws.table.At(ws.current_bank, row, field); }

  Workspace ws;
  ScriptedUi ui;
  FakeClipboard clipboard;
  LineCommands lines{ws, ui, clipboard};
  CellEditor editor{ws, ui, lines};
};

}  // namespace talvirex::testing
