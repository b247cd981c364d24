// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Editing in the main window's grid: characters typed into cells, the keyboard commands, double
// clicks, the controls above the grid that follow the current column (the editor box, the Easy Tag
// dropdown, the Off/On buttons and the PL/DPL picker), and the help bar.
//
// The window reports two kinds of key events: `PressKey` for every key that goes down (a key code
// of the table below and the Shift/Ctrl state) and `TypeChar` for the character it produces (an
// ANSI code; Enter is 13, Backspace 8). Writes go to the grid's shown texts; `CommitBank` stores
// them when a command needs the table.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace talvirex {

struct Workspace;
class Ui;
class LineCommands;

/// Key codes of `PressKey`. Letters are their upper-case code ('A'..'Z'), digits '0'..'9'.
enum KeyCode : int {
  kKeyNone = 0,
  kKeyBackspace = 8,
  kKeyTab = 9,
  kKeyEnter = 13,
  kKeySpace = 32,
  kKeyDelete = 46,
  kKeyNumpad0 = 96,
  kKeyNumpad1 = 97,
  kKeyNumpadAdd = 107,
  kKeyNumpadSubtract = 109,
};

struct KeyModifiers {
  bool shift = false;
  bool ctrl = false;
};

/// The button chosen among the Off/On buttons.
enum class OffOn { kNeither, kOff, kOn };

/// The controls above the grid, as the window must draw them. Only the ones of the current
/// column's kind are shown.
struct ControlsAboveGrid {
  bool editor_box = false;           // frequency and tag columns
  std::size_t editor_box_limit = 0;  // characters the box takes; 0 = no limit of its own
  std::string editor_box_text;
  std::size_t editor_box_length = 0;  // the number shown beside the box
  bool easy_tags = false;             // the Easy Tag dropdown `textcombo` (tag column)
  bool off_on = false;                // the Off/On option buttons `option3d1`
  OffOn off_on_value{};               // the button shown chosen, none at first
  bool picker = false;                // the PL/DPL picker `ctc`
  int picker_index = -1;              // the chosen entry, -1 none
};

/// What the grid's current column holds: columns 1..7 in order, or none.
enum class ColumnKind { kNone, kFrequency, kTag, kDelay, kLockOut, kSubtone, kBeepAlert, kAtt };

/// The 143 entries of the PL/DPL picker: "None", the CTCSS tones, the DCS codes.
const std::array<std::string, 143>& PickerEntries();

/// A tag that arrives other than by typing (pasted into the grid or the editor box, or made by
/// Replace): control characters become blanks, as a tag cannot hold them, and the text is cut to
/// the 16 characters a tag keeps.
std::string TagFromOutside(std::string_view text);

/// The text of the "&Keyboard Shortcuts" message, lines separated by CR LF.
std::string KeyboardShortcutText();

class CellEditor {
 public:
  CellEditor(Workspace& workspace, Ui& ui, LineCommands& line_commands);

  /// The kind of the current column; kNone when the column is outside 1..7 or the current bank
  /// slot is above 10.
  ColumnKind CurrentColumnKind() const;

  /// A character typed into the grid (frequency and tag columns; other columns ignore it).
  void TypeChar(int code);
  /// A key going down in the grid: the keyboard commands.
  void PressKey(int key, KeyModifiers modifiers = {});
  void DoubleClick();
  void LeftButtonDown();
  void LeftButtonUp();
  /// The current cell or the selection changed: the controls follow the new current column, and
  /// panels 5 and 6 and the help text follow the current cell and the selection corner (without
  /// marking the help bar shown: start-up runs this too).
  void SelectionChanged();

  /// A key typed into the editor box. True when the box takes the character; Enter is consumed
  /// here (applies the box) and refused keys are dropped.
  bool EditorBoxKey(int code);
  /// The editor box's text after a change (typing, paste, an Easy Tag choice).
  void EditorBoxTextChanged(const std::string& text);
  /// Enter in the editor box: writes its text into the selected cells; the cell does not move.
  void EditorBoxEnter();

  /// A choice in the PL/DPL picker: its text into the selected cells.
  void ChoosePickerEntry(int index);
  /// A click on the Off/On buttons: "Off" or "On" into the selected cells.
  void ChooseOffOn(bool on);
  /// A choice in an Easy Tag dropdown: the tag goes into the editor box.
  void ChooseEasyTag(const std::string& tag);

  /// The help bar: channel numbers of panels 5 and 6 and the help text of the column's kind;
  /// marks the help bar shown (`help_bar_shown`). A click in the grid and a bank switch run it.
  void RefreshHelpBar();
  /// The controls above the grid, chosen anew for the current column.
  void UpdateControls();
  /// Hides every control above the grid (a bank switch shows them again with the next selection).
  void HideControls();

  const ControlsAboveGrid& controls() const { return controls_; }
  const std::string& help_text() const { return help_text_; }
  bool typing_started() const { return typing_started_; }
  /// The cell's content changed under the typing (Undo, Redo): the next character starts anew.
  void EndTyping() { typing_started_ = false; }
  /// "Fill Series" is available in the Tag column only.
  bool FillSeriesAvailable() const { return CurrentColumnKind() == ColumnKind::kTag; }

 private:
  /// Brings a current cell or selection corner outside rows 1..20, columns 1..7 back inside.
  void HoldCursorInGrid();
  /// Panels 5 and 6 and the help text for the current cell and selection corner.
  void FollowSelection();
  void WriteSelected(const std::string& text);
  void EmptySelected();
  bool SelectedRowsHoldFrequencies();
  bool PressGridKey(int key, KeyModifiers modifiers);
  void TypeIntoFrequency(int code);
  void TypeIntoTag(int code);
  void EnterFrequency();
  void EnterTag();
  void MoveBelowSelection();
  void SettleSelectedRows();
  void Tab(bool backwards);
  void Toggle();
  void MovePicker(int step);
  bool IsOnOffKind() const;

  Workspace& ws_;
  Ui& ui_;
  LineCommands& lines_;
  ControlsAboveGrid controls_;
  std::string help_text_;
  bool typing_started_ = false;
};

}  // namespace talvirex
