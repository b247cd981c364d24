// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Decoding the clone image into the tables, after a complete read from the scanner.
//
// Theory of operation. Each decoder is the reverse of one encoder (image/encoders.h) and reads the
// same region; `filter_image` runs all six. The decoders only read the image; they overwrite the
// table fields and list entries they own and leave everything else as it was (the Dummy bank,
// slots 11 and 12, scanner settings 14..20, priority entry 10). They never check the result: an
// image with no scanning bank decodes as such. Unreadable characters read as 0 (CloneReader).
//
// Texts written: frequency as its shortest decimal text in MHz with "." ("118.0125", "29.7"), "0"
// for an empty channel; tag as exactly ten characters; On/Off fields "0" or "1"; PL/DPL the
// decimal code.

#include <array>

namespace talvirex {

class ChannelTable;
class CloneReader;
class Ui;
struct Document;

/// Frequencies of slots 1..200. A word that is not a frequency record (neither "0000" nor a value
/// in 16000..26000 after the AM mark is taken off) is an empty channel, "0"; a fine-step code in
/// neither table counts as a fine part of 0.
void filter_freqdata(const CloneReader& image, ChannelTable& table);

/// Tags of slots 1..200, ten characters each.
void filter_tagdata(const CloneReader& image, ChannelTable& table);

/// Priority channels of banks 1..10: the byte + 1 (0xFF gives 256, which the priority form mends).
void filter_pridata(const CloneReader& image, std::array<int, 11>& priority);

/// Delay, lock-out, beep alert and attenuator of slots 1..200 from the flag high nibbles.
void filter_settings(const CloneReader& image, ChannelTable& table);

/// PL/DPL codes of slots 1..200; a byte 0x68..0x7F leaves the field as it was.
void filter_subtoon(const CloneReader& image, ChannelTable& table);

/// Scanner settings 0..13 (the banks that scan and the four options); 14..20 are left alone.
void filter_paradata(const CloneReader& image, std::array<int, 21>& scanner_settings);

/// The whole decode of the document's clone image into banks 1..10, the priority channels and the
/// scanner settings, with the busy pointer shown meanwhile. A damaged image (a byte cut short by a
/// line that is too short) is decoded all the same, with such bytes as 0, and the message
/// "hexsmeter problem" with the text found is shown once. The read command calls it after a
/// complete read; it then starts the transfer window's close timer, names the file "Untitled" and
/// redraws the grid.
void filter_image(Document& document, Ui& ui);

}  // namespace talvirex
