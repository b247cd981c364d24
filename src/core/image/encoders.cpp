// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/encoders.h"

#include <cmath>
#include <string_view>

#include "document.h"
#include "image/clone_access.h"
#include "image/clone_image.h"
#include "image/clone_line.h"
#include "image/codec_tables.h"
#include "image/memory_map.h"
#include "model/channel_table.h"
#include "model/numeric_value.h"

namespace talvirex {

namespace {

using namespace image_map;

constexpr double kLowestFrequencyMhz = 29;  // below it a channel is empty
constexpr int kFmWord = 0x4000;             // the word's mode bit for FM
constexpr int kHighestHundredKhz = 9999;    // keeps the word within its four hex digits

// Slot n's place in the table: bank slot and row of scanner-wide channel n.
const std::string& SlotField(const ChannelTable& table, int n, int field) {
  return table.At(BankOf(n), RowOf(n), field);
}

bool IsOn(const std::string& text) { return text == "1"; }

// A channel below 29 MHz (an empty marker, a negative value) is sent as an empty memory.
bool IsEmptySlot(const ChannelTable& table, int n) {
  return NumericValue(SlotField(table, n, kFieldFrequency)) < kLowestFrequencyMhz;
}

void WriteRecord(CloneImage& image, int n, int word, int code) {
  const int address = FrequencyAddress(n);
  WriteByte(image, address, (word >> 8) & 0xFF);
  WriteByte(image, address + 1, word & 0xFF);
  WriteByte(image, address + 2, code);
}

// The record of a frequency (MHz) of at least 29: the word's low 14 bits count 100 kHz, the code
// holds the rest.
void WriteFrequency(CloneImage& image, int n, double mhz) {
  int hundred_khz = kHighestHundredKhz;
  int fine = 0;
  if (mhz < (kHighestHundredKhz + 1) / 10.0) {
    const auto units = static_cast<int>(std::nearbyint(mhz * 10000));  // 100 Hz units
    hundred_khz = units / 1000;
    fine = units % 1000;
  }
  int word = kFmWord + hundred_khz;
  if (IsAirband(mhz)) word = (word & 0x0FFF) | 0x8000;
  WriteRecord(image, n, word, FineStepCode(fine, UsesFiveKhzCodes(mhz)));
}

void EncodeTag(CloneImage& image, int n, std::string_view tag) {
  int address = TagAddress(n);
  int written = 0;
  for (std::size_t i = 0; i < tag.size() && written < kTagLength; ++written, ++address) {
    const auto lead = static_cast<unsigned char>(tag[i++]);
    int code = TagCharCode(static_cast<char>(lead));
    if (lead >= 0xC0) {  // a character of several bytes: none of them is on the scanner
      while (i < tag.size() && (static_cast<unsigned char>(tag[i]) & 0xC0) == 0x80) ++i;
    }
    WriteByte(image, address, code < 0 ? kBlankTagCode : code);
  }
  for (; written < kTagLength; ++written, ++address) WriteByte(image, address, kBlankTagCode);
}

}  // namespace

void create_freqdata(const ChannelTable& table, CloneImage& image) {
  for (int n = 1; n <= kFrequencySlots; ++n) {
    if (n > kChannelCount || IsEmptySlot(table, n)) {
      WriteRecord(image, n, 0, 0);
    } else {
      WriteFrequency(image, n, NumericValue(SlotField(table, n, kFieldFrequency)));
    }
  }
}

void create_setdata(const ChannelTable& table, CloneImage& image) {
  for (int n = 1; n <= kChannelCount; ++n) {
    int flags = 0;
    if (IsOn(SlotField(table, n, kFieldDelay))) flags += kFlagDelay;
    if (IsOn(SlotField(table, n, kFieldLockOut))) flags += kFlagLockOut;
    if (IsOn(SlotField(table, n, kFieldBeepAlert))) flags += kFlagBeepAlert;
    if (IsOn(SlotField(table, n, kFieldAtt))) flags += kFlagAtt;
    if (IsEmptySlot(table, n)) flags = kFlagLockOut;
    WriteNibble(image, FlagAddress(n), true, HexDigit(flags));
  }
}

void create_priodata(const std::array<int, 11>& priority, CloneImage& image) {
  const int first = (kPriorityLine - 1) * 16;
  for (int b = 0; b < kScannerBanks; ++b) {
    const int value = priority[b] >= 1 && priority[b] <= 256 ? priority[b] - 1 : 0xFF;
    WriteByte(image, first + b, value);
  }
}

void create_subtoondata(const ChannelTable& table, CloneImage& image) {
  for (int n = 1; n <= kChannelCount; ++n) {
    const double code = NumericValue(SlotField(table, n, kFieldSubtone));
    const int byte = IsEmptySlot(table, n) ? 0xFF : SubtoneByte(code);
    WriteByte(image, SubtoneAddress(n), byte);
  }
}

void create_tagdata(const ChannelTable& table, CloneImage& image) {
  for (int n = 1; n <= kChannelCount; ++n) EncodeTag(image, n, SlotField(table, n, kFieldTag));
}

void create_paradata(const std::array<int, 21>& settings, CloneImage& image) {
  const auto on = [&](int index) { return settings[index] == 1 ? 1 : 0; };
  const int options = (kOptionsLine - 1) * 16;
  WriteNibble(image, options + kPriorityWatchByte, true, on(10) ? '8' : '0');
  WriteNibble(image, options + kAlfaModeByte, false, on(11) ? '1' : '0');
  WriteNibble(image, options + kAutoLightByte, false, on(12) ? '1' : '0');
  WriteNibble(image, (kSubtoneModeLine - 1) * 16, false, on(13) ? '1' : '0');
  WriteNibble(image, options + kBankBitsByte, false,
              HexDigit(on(0) + 2 * on(1) + 4 * on(2) + 8 * on(3)));
  WriteNibble(image, options + kBankBitsByte, true,
              HexDigit(on(4) + 2 * on(5) + 4 * on(6) + 8 * on(7)));
  WriteNibble(image, options + kBankBitsHighByte, false, HexDigit(on(8) + 2 * on(9)));
}

void create_senddata(Document& ws) {
  CloneImage& image = ws.clone_image;
  for (int i = 1; i <= kCloneLineCount; ++i) {
    if (!HasCloneLineShape(image.lines[i])) image.lines[i] = ShapeCloneLine(image.lines[i], i);
  }
  create_freqdata(ws.table, image);
  create_setdata(ws.table, image);
  create_priodata(ws.priority, image);
  create_subtoondata(ws.table, image);
  create_tagdata(ws.table, image);
  create_paradata(ws.scanner_settings, image);
  for (int i = 1; i <= kCloneLineCount; ++i) FinishCloneLineInPlace(image.lines[i]);
}

}  // namespace talvirex
