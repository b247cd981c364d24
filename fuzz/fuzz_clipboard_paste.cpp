// SPDX-License-Identifier: GPL-3.0-or-later
// Pasting any clipboard text into the grid, at any cell and selection of any bank: never a crash,
// never a write outside the grid or the table, and the grid keeps its shape.

#include <cstdint>
#include <string>

#include "editor/grid_bridge.h"
#include "editor/line_commands.h"
#include "ports/clipboard.h"
#include "ports/ui.h"
#include "workspace.h"

namespace {

class TextClipboard final : public talvirex::Clipboard {
 public:
  std::string GetText() override { return text; }
  void SetText(const std::string& value) override { text = value; }
  std::string text;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  talvirex::Workspace ws;
  talvirex::SilentUi ui;
  TextClipboard clipboard;
  // The first bytes choose the bank, the cell, the selection corner and the command.
  ws.current_bank = data[0] % 11;
  ws.grid.current = {1 + data[1] % 20, 1 + data[2] % 7};
  ws.grid.selection_end = {1 + (data[1] / 20) % 20, 1 + (data[2] / 7) % 7};
  ws.settings.expert = true;
  clipboard.text.assign(reinterpret_cast<const char*>(data) + 4, size - 4);

  talvirex::LineCommands lines(ws, ui, clipboard);
  if (data[3] % 2 == 0) {
    lines.Paste();
  } else {
    lines.PasteLines();
  }
  talvirex::CommitBank(ws, ui);
  lines.Undo();
  return 0;
}
