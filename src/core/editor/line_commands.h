#pragma once
// The commands of the Edit and Options menus and of the grid's popup menu that act on whole lines
// (channels) or on blocks of cells of the current bank, and Undo.
//
// Selection rules. The line commands take the rows from the current row R down to the selection
// end RS; a selection dragged upwards (RS above R) selects no rows and changes nothing. The block
// commands (copy, cut, delete) take the selected rectangle whichever way it was dragged.
//
// Every command that changes the table or the grid of Banks 1..10, or a list the channel file
// stores, sets `unsaved_changes`; changes to the Dummy bank alone do not.

#include <string>

namespace talvirex {

struct Workspace;
class Ui;
class Clipboard;

/// `TakeSnapshot`: commits the grid, then keeps fields 1..7 of rows 1..20 of the current bank
/// (slots 0..10) as that bank's one undo step. Every editing command runs it before it changes
/// anything.
void TakeSnapshot(Workspace& workspace, Ui& ui);

class LineCommands {
 public:
  LineCommands(Workspace& workspace, Ui& ui, Clipboard& clipboard);

  /// `TakeSnapshot` of the current bank.
  void TakeSnapshot() { talvirex::TakeSnapshot(ws_, ui_); }
  /// `ClearSelectedCells`: snapshot, then empties every selected grid cell.
  void ClearSelectedCells();

  void ClearSelectedLines();   // "&Clear Selected Lines", asks "Are you sure?" unless expert
  void InsertEmptyLines();     // "&Insert Empty Line": RS - R + 1 empty lines at R
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
  void Delete();               // "&Delete": asks "Are you sure?" unless expert
  void SelectAll();
  void ClearCurrentBank();     // always asks
  void FillDown();
  void FillSeries();           // Tag column only
  void ClearLockouts();        // "Clear All &Lockout Channels": Lock Out of every channel to Off
  void Undo();

  /// True when the current bank has an undo step (the Undo command is available).
  bool UndoAvailable() const;

 private:
  bool Confirmed();
  void MarkChanged();
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
