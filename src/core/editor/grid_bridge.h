#pragma once
// The bridge between the grid's shown texts and the channel table's stored texts, for the current
// bank. Shown "Off"/"On" become stored "0"/"1", shown tone names become PL/DPL codes, and back.

namespace talvirex {

struct Workspace;
class Ui;

/// Copies the shown texts of the current bank into the table and turns them into stored texts;
/// frequencies are formatted and held at 1300 MHz at most. Shows its progress through `ui`.
void CommitBank(Workspace& workspace, Ui& ui);

/// Writes the shown text of table field `field` (1..7) of `row` (1..20) of the current bank into
/// its grid cell. Empty channels are shown blank in every column.
void RenderCell(Workspace& workspace, int field, int row);

/// Redraws every cell of the current bank from the table, keeping the current cell and selection
/// (a current row past 20 comes back as 20).
void RenderBank(Workspace& workspace, Ui& ui);

}  // namespace talvirex
