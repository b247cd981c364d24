// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The value codes the scanner uses inside its image, shared by the encoders and the decoders.

#include <string_view>

namespace talvirex {

/// Code of a tag character: "0".."9" 0x00..0x09, "A".."Z" 0x0A..0x23, "a".."z" 0x24..0x3D,
/// "/" 0x3E, "(" 0x3F, ")" 0x40, "&" 0x41, "'" 0x42, "." 0x43, "," 0x44, "-" 0x45, "#" 0x46,
/// blank 0x4A; -1 for a character the scanner cannot show.
int TagCharCode(char c);

/// Character of a tag code: the reverse of TagCharCode, with 0x46..0x49 all "#" and 0x4A and
/// every higher code a blank.
char TagCharOf(int code);
inline constexpr int kBlankTagCode = 0x4A;

// Fine-step codes: the part of a frequency below 100 kHz, in 100 Hz units (0..999).
// The 5 kHz table: codes 0x00..0x13 for 0, 50, .., 950. The 12.5 kHz table: codes 0x20..0x27 for
// 0, 125, .., 875.
inline constexpr int kFiveKhzUnits = 50;
inline constexpr int kTwelveKhzUnits = 125;
inline constexpr int kTwelveKhzFirstCode = 0x20;

/// True when a frequency (MHz) uses the 5 kHz table: 29..54 and 137..174, ends included. Every
/// other frequency uses the 12.5 kHz table.
bool UsesFiveKhzCodes(double mhz);

/// The fine-step code of `units` (0..999, 100 Hz units) in the band's table; a part that is not on
/// the table's step is coded as the step below it.
int FineStepCode(int units, bool five_khz);

/// The 100 Hz units of a fine-step code, or 0 for a code in neither table.
int FineStepUnits(int code);

/// True in the airband (108 <= MHz < 137), which the scanner receives in AM.
bool IsAirband(double mhz);

/// Subtone byte of a PL/DPL code value: 0x80..0xA5 for CTCSS 1..38, 0x00..0x67 for DCS 39..142,
/// 0xFF for none (below 1); larger codes by the same arithmetic while they fit a byte, else 0xFF.
int SubtoneByte(double code);

/// PL/DPL code of a subtone byte: DCS 39..142 for 0x00..0x67, CTCSS 1..38 for 0x80..0xA5, 0 for
/// 0xA6..0xFF; -1 for 0x68..0x7F, which leave the field as it was.
int SubtoneCodeOfByte(int byte);

}  // namespace talvirex
