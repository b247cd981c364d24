// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Encoding the tables into the clone image, before every send to the scanner.
//
// Theory of operation. Six encoders each own one region of the image (image/memory_map.h) and
// overwrite only the hex characters of that region, in place; every character they do not write
// keeps what the last read from the scanner (or the default image) put there. `create_senddata`
// shapes damaged lines, runs the six in a fixed order and then gives every line a fresh checksum.
// Only bank slots 0..9 are encoded; the Dummy bank never reaches the scanner. The encoders report
// nothing and never stop: a value outside its domain is encoded by the same arithmetic, held to
// the bytes of its region.

#include <array>

namespace talvirex {

struct CloneImage;
class ChannelTable;
struct Document;

/// Frequency records of slots 1..208 (slots past 200 are always zero). The 100 kHz count and the
/// fine part come from the frequency's numeric value; a fine part off the band's table is written
/// as the step below; in the airband the record is marked AM; an empty channel (below 29 MHz) is
/// "000000".
void create_freqdata(const ChannelTable& table, CloneImage& image);

/// High nibbles of the flag bytes of slots 1..200 from the fields that are exactly "1"; an empty
/// channel gets "8" (locked out). The low nibbles are never written.
void create_setdata(const ChannelTable& table, CloneImage& image);

/// The priority channel of banks 1..10 as channel number - 1; a number outside 1..256 (0: no
/// choice yet) is written as 0xFF.
void create_priodata(const std::array<int, 11>& priority, CloneImage& image);

/// Subtone bytes of slots 1..200; 0xFF (none) for an empty channel.
void create_subtoondata(const ChannelTable& table, CloneImage& image);

/// Tags of slots 1..200: the first ten characters, blank-filled; a character the scanner cannot
/// show is written as a blank.
void create_tagdata(const ChannelTable& table, CloneImage& image);

/// The global options: priority watch, Alfa mode, AutoLight, Subtone mode and the banks that scan
/// (scanner settings 0..13; a setting is on only when it is exactly 1).
void create_paradata(const std::array<int, 21>& scanner_settings, CloneImage& image);

/// Writes banks 1..10, the priority channels and the scanner settings into the document's clone
/// image and finishes every line: afterwards each of lines 1..253 is 46 characters long with a
/// valid checksum. Running it twice gives the same image.
void create_senddata(Document& document);

}  // namespace talvirex
