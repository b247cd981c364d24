// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of the Edit and Options menus and of the grid's popup menu that act on whole lines
// (channels) or on blocks of cells of the current bank, and Undo.
//
// Selection rules. The selection is the rectangle between the current cell and the selection
// end, whichever way the user made it: a drag, Shift+arrows or Shift+click upwards or leftwards
// selects the same cells as one made downwards. The line commands take its rows, the block
// commands (copy, cut, delete) its cells, and Fill Down and Fill Series copy from its top row into
// the rows below. The current cell is where the selection began and stays there, except where a
// command moves it on purpose: Clear Selected Lines collapses the selection onto it, a paste
// starts at it and selects what it wrote, Shift Channel follows the channel it moved.

#include <optional>
#include <string>

#include "editor/history.h"

namespace talvirex {

struct Workspace;
class Ui;
class Clipboard;

/// `TakeSnapshot`: commits the grid before an editing command changes anything, so that the
/// command works on the table as the user sees it, and closes the history's step before it: the
/// history (history.h) then keeps what the command changed as one undo step.
void TakeSnapshot(Workspace& workspace, Ui& ui);

class LineCommands {
 public:
  LineCommands(Workspace& workspace, Ui& ui, Clipboard& clipboard);

  /// `TakeSnapshot` of the current bank.
  void TakeSnapshot() { talvirex::TakeSnapshot(ws_, ui_); }
  /// `ClearSelectedCells`: snapshot, then empties every selected grid cell.
  void ClearSelectedCells();

  void ClearSelectedLines();   // "&Clear Selected Lines", asks "Are you sure?" unless expert
  void InsertEmptyLines();     // "&Insert Empty Line": one per selected row, at the top
  void RemoveSelectedLines();  // "&Remove Selected Lines", asks "Are you sure?" unless expert
  void RemoveEmptyLines();     // "Remove &All Empty Lines": closes the channels up at the top

  /// "Shift Channel Up" / "Shift Channel Down"; `reverse_shift` swaps the two.
  void ShiftChannelUp();
  void ShiftChannelDown();

  void Copy();
  void Cut();
  void Paste();
  void CopyLines();
  void CutLines();
  void PasteLines();
  void Delete();  // "&Delete": asks "Are you sure?" unless expert
  void SelectAll();
  void ClearCurrentBank();  // always asks
  void FillDown();
  void FillSeries();     // Tag column only
  void ClearLockouts();  // "Clear All &Lockout Channels": Lock Out of every channel to Off
  /// Undo: takes back the last step wherever it was (an edit still in the grid first) and
  /// redraws the shown bank; Redo does the step again. Nothing when there is none.
  std::optional<StepPlace> Undo();
  std::optional<StepPlace> Redo();

  /// True when there is a step to undo (the Undo command is available).
  bool UndoAvailable() const;

 private:
  bool Confirmed();
  std::optional<StepPlace> StepThroughHistory(bool redo);
  void ShiftToNextNumber();
  void ShiftToPreviousNumber();
  void SwapGridRows(int a, int b);
  void EmptySelectedCells();
  std::string SelectedBlockText() const;
  void WidenToLines();

  Workspace& ws_;
  Ui& ui_;
  Clipboard& clipboard_;
};

}  // namespace talvirex
