// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt key events in the terms of the core's cell editor: the key code of `CellEditor::PressKey`
// (the window system's virtual-key numbering: letters 'A'..'Z', digits '0'..'9', keypad 96..107)
// and the ANSI code of the character a key produces for `TypeChar`.

#include <optional>

#include "editor/cell_editor.h"

class QKeyEvent;

namespace talvirex {

/// The key code of `event`; kKeyNone for keys the cell editor has no use for.
int KeyCodeOf(const QKeyEvent& event);
/// Shift and Ctrl as held during `event`.
KeyModifiers ModifiersOf(const QKeyEvent& event);
/// The character `event` types, as a Windows-1252 code (Enter 13, Backspace 8); nothing when the
/// key types no character (arrows, function keys, Ctrl combinations) or one outside the code page.
std::optional<int> CharCodeOf(const QKeyEvent& event);
/// True for keys that move the grid's cursor (arrows, Page Up/Down, Home, End): the view moves
/// the cursor itself and reports the new selection.
bool IsNavigationKey(const QKeyEvent& event);

}  // namespace talvirex
