// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/cell_editor.h"

#include <algorithm>

#include "editor/default_fill.h"
#include "editor/grid_bridge.h"
#include "editor/history.h"
#include "editor/line_commands.h"
#include "model/frequency.h"
#include "model/numeric_value.h"
#include "ports/ui.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex {

namespace {

constexpr std::size_t kFrequencyCellLimit = 10;     // characters typed into a frequency cell
constexpr std::size_t kTagTypingLimit = 16;         // a tag cell takes a 17th character ...
constexpr std::size_t kStoredTagLength = 16;        // ... and Enter keeps the first 16
constexpr std::size_t kTagBoxLimit = 10;            // the tag box refuses keys past 10 characters
constexpr std::size_t kEditorBoxShownLength = 256;  // far more than typing or a tag ever needs
constexpr int kPickerJump = 10;

bool IsFrequencyCharacter(int code) {
  return code == 45 || code == 46 || (code >= 48 && code <= 57);
}

// The characters a typed tag may not hold: control codes, ! " $ % * +, : ; < = > ? @,
// [ \ ] ^ _ `, and everything from { on (which keeps tags within the scanner's display set).
bool IsRefusedTagCharacter(int code) {
  return code < 32 || code == 33 || code == 34 || code == 36 || code == 37 || code == 42 ||
         code == 43 || (code >= 58 && code <= 64) || (code >= 91 && code <= 96) || code >= 123;
}

std::string WithoutLastCharacter(const std::string& text) {
  const std::size_t length = Utf8Length(text);
  return length == 0 ? text : Utf8Left(text, length - 1);
}

std::string CorrectedEntry(std::string_view text, bool hide_leading_zeros) {
  return FormatFrequency(CorrectFrequency(text), hide_leading_zeros);
}

std::string HelpTextOf(ColumnKind kind) {
  switch (kind) {
    case ColumnKind::kFrequency: return "Enter frequency. Use <ENTER> to jump to next channel.";
    case ColumnKind::kTag:
      // Names only characters the typed-tag filter lets through (`IsRefusedTagCharacter`).
      return "Enter tag. Maximum 16 characters are stored. Tip: you can also use special "
             "characters like # & ' ( ) , - . /";
    case ColumnKind::kDelay: return "Use double click or spacebar to toggle between Off/On. ";
    case ColumnKind::kLockOut: return "Use double click or spacebar to toggle between Off/On";
    case ColumnKind::kSubtone:
      return "Select from list or use double click/spacebar to scroll up the list. TIP: Use "
             "SHIFT_SPACEBAR for scroll down. Use + / - for fast scroll. Use L for lockout.";
    case ColumnKind::kBeepAlert:
      return "Use double click or spacebar to toggle between Off/On. Beep alert will sound a beep "
             "when scanner stops at this channel";
    case ColumnKind::kAtt: return "Use double click or spacebar to toggle between Off/On";
    case ColumnKind::kNone: break;
  }
  return {};
}

}  // namespace

const std::array<std::string, 143>& PickerEntries() {
  static const std::array<std::string, 143> entries = [] {
    std::array<std::string, 143> list;
    list[0] = "None";
    for (int i = 1; i <= kCtcssCount; ++i) list[i] = std::string(CtcssText(i));
    for (int j = 0; j < kDcsCount; ++j) list[kFirstDcsCode + j] = std::string(DcsText(j));
    return list;
  }();
  return entries;
}

std::string TagFromOutside(std::string_view text) {
  std::string tag = Utf8Left(text, kStoredTagLength);
  for (char& c : tag) {
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = ' ';
  }
  return tag;
}

std::string KeyboardShortcutText() {
  static constexpr std::string_view kLines[] = {"You can use these keyboard shortcuts,",
                                                "depending on which column is active:",
                                                "CTRL + D = shift channel down ",
                                                "CTRL + U = shift channel up ",
                                                "",
                                                "0 = Off ",
                                                "F = Off ",
                                                "1 = On ",
                                                "N = On ",
                                                "",
                                                "Space = toggle data",
                                                "",
                                                "Space = scroll list up",
                                                "Shift-Space = scroll list down",
                                                ""};
  std::string text;
  for (std::size_t i = 0; i < std::size(kLines); ++i) {
    if (i > 0) text += "\r\n";
    text += kLines[i];
  }
  return text;
}

CellEditor::CellEditor(Workspace& workspace, Ui& ui, LineCommands& line_commands)
    : ws_(workspace), ui_(ui), lines_(line_commands) {}

ColumnKind CellEditor::CurrentColumnKind() const {
  if (ws_.current_bank < 0 || ws_.current_bank > kDummyBank) return ColumnKind::kNone;
  const int column = ws_.grid.current.column;
  return column >= 1 && column <= 7 ? static_cast<ColumnKind>(column) : ColumnKind::kNone;
}

bool CellEditor::IsOnOffKind() const {
  const ColumnKind kind = CurrentColumnKind();
  return kind == ColumnKind::kDelay || kind == ColumnKind::kLockOut ||
         kind == ColumnKind::kBeepAlert || kind == ColumnKind::kAtt;
}

void CellEditor::WriteSelected(const std::string& text) {
  const Grid& g = ws_.grid;
  const int top = std::clamp(g.TopRow(), 1, kChannelsPerBank);
  const int bottom = std::clamp(g.BottomRow(), 1, kChannelsPerBank);
  const int left = std::clamp(g.LeftColumn(), 1, 7);
  const int right = std::clamp(g.RightColumn(), 1, 7);
  for (int row = top; row <= bottom; ++row) {
    for (int column = left; column <= right; ++column) ws_.grid.Cell(row, column) = text;
  }
}

void CellEditor::EmptySelected() { WriteSelected(std::string()); }

// A channel without a frequency is shown empty in every column, so a tag written there would
// vanish at the next redraw. The user hears of it at once instead, and nothing is written.
bool CellEditor::SelectedRowsHoldFrequencies() {
  const int top = std::clamp(ws_.grid.TopRow(), 1, kChannelsPerBank);
  const int bottom = std::clamp(ws_.grid.BottomRow(), 1, kChannelsPerBank);
  for (int row = top; row <= bottom; ++row) {
    if (NumericValue(ws_.grid.Cell(row, kFieldFrequency)) != 0) continue;
    ui_.Beep();
    ui_.Tell("Channel " + IntText(ws_.current_bank * kChannelsPerBank + row) +
                 " has no frequency.\r\nEnter its frequency first, then its tag.",
             {}, Icon::kInformation);
    return false;
  }
  return true;
}

void CellEditor::HoldCursorInGrid() {
  for (CellPos* pos : {&ws_.grid.current, &ws_.grid.selection_end}) {
    pos->row = std::clamp(pos->row, 1, kChannelsPerBank);
    pos->column = std::clamp(pos->column, 1, 7);
  }
}

void CellEditor::TypeChar(int code) {
  HoldCursorInGrid();
  const std::string step = EditStepName(ws_);
  const ColumnKind kind = CurrentColumnKind();
  const bool typed_text = kind == ColumnKind::kFrequency || kind == ColumnKind::kTag;
  if (code == kKeyEnter && !typed_text) typing_started_ = false;
  if (kind == ColumnKind::kFrequency) TypeIntoFrequency(code);
  if (kind == ColumnKind::kTag) TypeIntoTag(code);
  // Typing goes on until Enter; the edit is one step then (or when the cell is left).
  if (code == kKeyEnter) RecordStep(ws_, ui_, step);
}

void CellEditor::TypeIntoFrequency(int code) {
  const std::string& cell = ws_.grid.Cell(ws_.grid.current.row, ws_.grid.current.column);
  if (code == kKeyBackspace) {
    WriteSelected(WithoutLastCharacter(cell));
    return;
  }
  if (code == kKeyEnter) {
    EnterFrequency();
    return;
  }
  if (!IsFrequencyCharacter(code)) return;
  std::string text = cell == "Empty" ? std::string() : cell;
  if (!typing_started_) {
    text.clear();
    typing_started_ = true;
  }
  if (Utf8Length(text) >= kFrequencyCellLimit) return;
  text += static_cast<char>(code);
  WriteSelected(text);
}

void CellEditor::TypeIntoTag(int code) {
  const std::string& cell = ws_.grid.Cell(ws_.grid.current.row, ws_.grid.current.column);
  if (code == kKeyBackspace) {
    WriteSelected(WithoutLastCharacter(cell));
    return;
  }
  if (code == kKeyEnter) {
    EnterTag();
    return;
  }
  if (IsRefusedTagCharacter(code)) return;
  if (Utf8Length(cell) > kTagTypingLimit) return;
  if (!SelectedRowsHoldFrequencies()) return;
  std::string text = typing_started_ ? cell : std::string();
  typing_started_ = true;
  text += static_cast<char>(code);
  WriteSelected(text);
}

void CellEditor::EnterFrequency() {
  typing_started_ = false;
  const std::string text = ws_.grid.Cell(ws_.grid.current.row, ws_.grid.current.column);
  if (NumericValue(text) != 0) {
    WriteSelected(CorrectedEntry(text, ws_.settings.hide_leading_zeros));
    fil_defdata(ws_);
    SettleSelectedRows();
  }
  MoveBelowSelection();
}

// Rows that just got a frequency show at once what a redraw would show them (their switches,
// "None" for no subtone), and the bank-usage summary counts them.
void CellEditor::SettleSelectedRows() {
  const int top = std::clamp(ws_.grid.TopRow(), 1, kChannelsPerBank);
  const int bottom = std::clamp(ws_.grid.BottomRow(), 1, kChannelsPerBank);
  for (int row = top; row <= bottom; ++row) {
    CommitRow(ws_, row);
    for (int field = kFieldFrequency; field <= kFieldAtt; ++field) RenderCell(ws_, field, row);
  }
  ws_.status.bank_usage = BankUsageSummary(ws_.table);
}

void CellEditor::EnterTag() {
  typing_started_ = false;
  const std::string tag =
      Utf8Left(ws_.grid.Cell(ws_.grid.current.row, ws_.grid.current.column), kStoredTagLength);
  WriteSelected(tag);
  std::string recorded = tag;
  RecordTag(ws_.tags, recorded, ws_.current_bank, ws_.settings.easy_tag_lists);
  MoveBelowSelection();
}

void CellEditor::MoveBelowSelection() {
  const int row = std::min(ws_.grid.BottomRow() + 1, kChannelsPerBank);
  ws_.grid.SetCurrent(row, ws_.grid.current.column);
  SelectionChanged();
}

void CellEditor::PressKey(int key, KeyModifiers modifiers) {
  const std::string step = EditStepName(ws_);
  // A key that acts on the cells is a step; the keys of typing wait for Enter.
  if (PressGridKey(key, modifiers)) RecordStep(ws_, ui_, step);
}

bool CellEditor::PressGridKey(int key, KeyModifiers modifiers) {
  HoldCursorInGrid();
  const ColumnKind kind = CurrentColumnKind();
  // The letters and digits for Off and On work in every Off/On column but ATT.
  const bool on_off_letters =
      kind == ColumnKind::kDelay || kind == ColumnKind::kLockOut || kind == ColumnKind::kBeepAlert;
  if (key == kKeyTab) {
    Tab(modifiers.shift);
  } else if (modifiers.ctrl && (key == 'D' || key == 'U')) {
    // With `reverse_shift` the keys run the opposite-named command, which swaps direction itself:
    // Ctrl+D always moves the channel to the previous number, Ctrl+U to the next.
    const bool down = (key == 'D') != ws_.settings.reverse_shift;
    if (down) {
      lines_.ShiftChannelDown();
    } else {
      lines_.ShiftChannelUp();
    }
    SelectionChanged();
  } else if (key == kKeyDelete && !modifiers.shift) {
    EmptySelected();
  } else if (key == kKeySpace && kind == ColumnKind::kSubtone) {
    if (modifiers.shift) {
      MovePicker(-1);
    } else {
      MovePicker(1);
    }
  } else if (key == kKeySpace && controls_.off_on && !modifiers.shift) {
    Toggle();
  } else if (modifiers.ctrl) {
    return false;
  } else if (on_off_letters && (key == 'O' || key == 'N' || key == '1' || key == kKeyNumpad1)) {
    WriteSelected("On");
    controls_.off_on_value = OffOn::kOn;
  } else if (on_off_letters && (key == 'F' || key == '0' || key == kKeyNumpad0)) {
    WriteSelected("Off");
    controls_.off_on_value = OffOn::kOff;
  } else if (kind == ColumnKind::kSubtone && !modifiers.shift && key == kKeyNumpadAdd) {
    MovePicker(kPickerJump);
  } else if (kind == ColumnKind::kSubtone && !modifiers.shift && key == kKeyNumpadSubtract) {
    MovePicker(-kPickerJump);
  } else {
    return false;
  }
  return true;
}

void CellEditor::Tab(bool backwards) {
  int column = ws_.grid.selection_end.column + (backwards ? -1 : 1);
  if (column > 7) column = 1;
  if (column < 1) column = 7;
  ws_.grid.SetCurrent(std::clamp(ws_.grid.current.row, 1, kChannelsPerBank), column);
  SelectionChanged();
}

void CellEditor::Toggle() {
  const std::string& cell = ws_.grid.Cell(ws_.grid.current.row, ws_.grid.current.column);
  if (cell == "Off") {
    WriteSelected("On");
    controls_.off_on_value = OffOn::kOn;
  } else if (cell == "On") {
    WriteSelected("Off");
    controls_.off_on_value = OffOn::kOff;
  }
}

// Forward moves past the last entry go to the first; backward moves stop at the first.
void CellEditor::MovePicker(int step) {
  const int count = static_cast<int>(PickerEntries().size());
  const int index = controls_.picker_index + step;
  ChoosePickerEntry(index >= count || index < 0 ? 0 : index);
}

void CellEditor::ChoosePickerEntry(int index) {
  if (index < 0 || index >= static_cast<int>(PickerEntries().size())) return;
  HoldCursorInGrid();
  controls_.picker_index = index;
  WriteSelected(PickerEntries()[index]);
  RecordStep(ws_, ui_, EditStepName(ws_));
}

void CellEditor::ChooseOffOn(bool on) {
  if (!IsOnOffKind()) return;
  HoldCursorInGrid();
  WriteSelected(on ? "On" : "Off");
  controls_.off_on_value = on ? OffOn::kOn : OffOn::kOff;
  RecordStep(ws_, ui_, EditStepName(ws_));
}

void CellEditor::ChooseEasyTag(const std::string& tag) {
  if (CurrentColumnKind() != ColumnKind::kTag) return;
  EditorBoxTextChanged(tag);
}

void CellEditor::DoubleClick() {
  HoldCursorInGrid();
  if (IsOnOffKind()) {
    Toggle();
  } else if (CurrentColumnKind() == ColumnKind::kSubtone) {
    MovePicker(1);
  }
  RecordStep(ws_, ui_, EditStepName(ws_));
}

void CellEditor::LeftButtonDown() {
  typing_started_ = false;
  RefreshHelpBar();
}

void CellEditor::LeftButtonUp() {
  if (ws_.grid.LeftColumn() == ws_.grid.RightColumn()) {
    RefreshHelpBar();
    if (!controls_.off_on) UpdateControls();
  } else {
    controls_.off_on = false;
  }
}

void CellEditor::SelectionChanged() {
  UpdateControls();
  FollowSelection();
}

void CellEditor::HideControls() { controls_ = ControlsAboveGrid{}; }

void CellEditor::UpdateControls() {
  HideControls();
  const ColumnKind kind = CurrentColumnKind();
  if (kind == ColumnKind::kNone) return;
  const Grid& g = ws_.grid;
  const int row = std::clamp(g.current.row, 1, kChannelsPerBank);
  const std::string& cell = g.Cell(row, g.current.column);
  if (kind == ColumnKind::kFrequency || kind == ColumnKind::kTag) {
    controls_.editor_box = true;
    controls_.editor_box_limit = kind == ColumnKind::kFrequency ? kFrequencyCellLimit : 0;
    controls_.easy_tags = kind == ColumnKind::kTag;
    // More than a box's worth of a cell (a damaged file can hold megabytes) is not shown.
    controls_.editor_box_text = Utf8Left(cell, kEditorBoxShownLength);
    controls_.editor_box_length = Utf8Length(controls_.editor_box_text);
  } else if (kind == ColumnKind::kSubtone) {
    controls_.picker = true;
    if (g.TopRow() == g.BottomRow()) {
      const auto& entries = PickerEntries();
      const auto found = std::find(entries.begin(), entries.end(), cell);
      if (found != entries.end())
        controls_.picker_index = static_cast<int>(found - entries.begin());
    }
  } else {
    controls_.off_on = true;
    controls_.off_on_value = cell == "On"    ? OffOn::kOn
                             : cell == "Off" ? OffOn::kOff
                                             : OffOn::kNeither;
  }
}

void CellEditor::RefreshHelpBar() {
  FollowSelection();
  ws_.settings.help_bar_shown = true;
}

void CellEditor::FollowSelection() {
  const int bank = ws_.current_bank;
  ws_.status.current_channel = IntText(bank * kChannelsPerBank + ws_.grid.current.row);
  ws_.status.last_selected_channel = IntText(bank * kChannelsPerBank + ws_.grid.selection_end.row);
  help_text_ = HelpTextOf(CurrentColumnKind());
}

bool CellEditor::EditorBoxKey(int code) {
  const ColumnKind kind = CurrentColumnKind();
  const bool text_column = kind == ColumnKind::kFrequency || kind == ColumnKind::kTag;
  if (!controls_.editor_box || !text_column) return false;
  if (code == kKeyEnter) {
    EditorBoxEnter();
    return false;
  }
  const std::size_t length = Utf8Length(controls_.editor_box_text);
  if (kind == ColumnKind::kFrequency) {
    if (code >= 0 && code <= 10) return true;
    return IsFrequencyCharacter(code) && length < kFrequencyCellLimit;
  }
  const bool passes = (code >= 0 && code <= 8) || !IsRefusedTagCharacter(code);
  return passes && length <= kTagBoxLimit;
}

void CellEditor::EditorBoxTextChanged(const std::string& text) {
  controls_.editor_box_text = CurrentColumnKind() == ColumnKind::kTag ? TagFromOutside(text) : text;
  controls_.editor_box_length = Utf8Length(controls_.editor_box_text);
}

void CellEditor::EditorBoxEnter() {
  HoldCursorInGrid();
  const ColumnKind kind = CurrentColumnKind();
  if (kind == ColumnKind::kTag) {
    if (!SelectedRowsHoldFrequencies()) return;
    if (Utf8Length(controls_.editor_box_text) > kStoredTagLength) {
      EditorBoxTextChanged(Utf8Left(controls_.editor_box_text, kStoredTagLength));
    }
    std::string recorded = controls_.editor_box_text;
    RecordTag(ws_.tags, recorded, ws_.current_bank, ws_.settings.easy_tag_lists);
    WriteSelected(controls_.editor_box_text);
  } else if (kind == ColumnKind::kFrequency) {
    const std::string text(TrimLeadingBlanks(controls_.editor_box_text));
    const bool frequency = NumericValue(text) != 0;
    WriteSelected(frequency ? CorrectedEntry(text, ws_.settings.hide_leading_zeros) : text);
    if (frequency) SettleSelectedRows();
    UpdateControls();  // the box shows the corrected frequency it wrote
  } else {
    return;
  }
  RecordStep(ws_, ui_, EditStepName(ws_));
}

}  // namespace talvirex
