// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program's tables live in the clone image. Slot n (1..200) is the scanner-wide channel
// number n (bank slot x 20 + row). Everything not named here is carried through untouched.
//
//   0x00CA high nibble   "8" priority watch on                      scanner settings 10
//   0x00CB               bit b: bank b + 1 scans                   scanner settings 0..7
//   0x00CC low nibble    bit 0: bank 9, bit 1: bank 10 scans       scanner settings 8, 9
//   0x00CD low nibble    "1" AutoLight on                          scanner settings 12
//   0x00CF low nibble    "1" Alfa mode on                          scanner settings 11
//   0x00D0 + b           bank b + 1's priority channel - 1         priority channels 0..9
//   0x00E0 + n - 1       flags, high nibble only: 8 lock-out, 4 delay, 2 attenuator, 1 beep
//   0x01C0 low nibble    "1" Subtone mode on                       scanner settings 13
//   0x0400 + 3(n - 1)    frequency record, 3 bytes (slots 1..208; 201..208 always zero)
//   0x0700 + n - 1       subtone byte
//   0x0800 + 10(n - 1)   tag, ten character codes

namespace talvirex::image_map {

/// Line (1..253) and byte (0..15) of an image address.
constexpr int LineOf(int address) { return address / 16 + 1; }
constexpr int ByteOf(int address) { return address % 16; }

inline constexpr int kOptionsLine = 13;  // 0x00C0
inline constexpr int kPriorityWatchByte = 0xA;
inline constexpr int kBankBitsByte = 0xB;
inline constexpr int kBankBitsHighByte = 0xC;  // banks 9 and 10
inline constexpr int kAutoLightByte = 0xD;
inline constexpr int kAlfaModeByte = 0xF;
inline constexpr int kPriorityLine = 14;     // 0x00D0
inline constexpr int kSubtoneModeLine = 29;  // 0x01C0, byte 0

inline constexpr int kFlagsAddress = 0x00E0;
inline constexpr int kFrequencyAddress = 0x0400;
inline constexpr int kFrequencySlots = 208;  // 13 groups of 16 records
inline constexpr int kSubtoneAddress = 0x0700;
inline constexpr int kTagAddress = 0x0800;
inline constexpr int kTagLength = 10;

inline constexpr int kFlagLockOut = 8;
inline constexpr int kFlagDelay = 4;
inline constexpr int kFlagAtt = 2;
inline constexpr int kFlagBeepAlert = 1;

/// Address of the first byte of slot n's frequency record, subtone byte, flag byte, tag.
constexpr int FrequencyAddress(int n) { return kFrequencyAddress + 3 * (n - 1); }
constexpr int SubtoneAddress(int n) { return kSubtoneAddress + (n - 1); }
constexpr int FlagAddress(int n) { return kFlagsAddress + (n - 1); }
constexpr int TagAddress(int n) { return kTagAddress + kTagLength * (n - 1); }

}  // namespace talvirex::image_map
