// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two faces of a channel's fields: the stored texts of the table ("0"/"1", PL/DPL codes, the
// frequency as typed) and the texts the grid shows ("Off"/"On", tone names, the frequency
// formatted). The grid's redraw and commit go through these, and so does a command-line run that
// must leave a bank as a redraw and a commit leave it, without a grid.

#include <array>
#include <string>

namespace talvirex {

class ChannelTable;

/// The text the grid shows for table field `field` (1..7) of `row` of `bank`: nothing for an empty
/// channel, else the formatted frequency (`hide_leading_zeros` is the setting `zero`), the tag as
/// stored, the tone name, or "Off"/"On" (nothing for a flag that is neither "0" nor "1").
std::string ShownText(const ChannelTable& table, int bank, int row, int field,
                      bool hide_leading_zeros);

/// Cleans `row` of `bank` after shown texts were copied into it: an empty frequency becomes "0",
/// the frequency is formatted and held at 1300 MHz at most, and, for a channel in use, "Off"/"On"
/// become "0"/"1" and a tone name its PL/DPL code.
void StoreShownRow(ChannelTable& table, int bank, int row, bool hide_leading_zeros);

/// What redrawing `bank` into the grid and committing it back does to the table, without a grid:
/// every row of the bank shown and stored again. With `trim_tags` (the Easy Tag lists on) the
/// tags lose their leading blanks, as recording them does.
void SettleBank(ChannelTable& table, int bank, bool hide_leading_zeros, bool trim_tags);

}  // namespace talvirex
