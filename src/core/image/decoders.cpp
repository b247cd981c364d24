// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/decoders.h"

#include <string>

#include "document.h"
#include "image/clone_access.h"
#include "image/codec_tables.h"
#include "image/memory_map.h"
#include "model/channel_table.h"
#include "model/numeric_value.h"
#include "ports/ui.h"
#include "text/text.h"

namespace talvirex {

namespace {

using namespace image_map;

constexpr int kFmWord = 0x4000;
constexpr int kHighestWord = 26000;  // 961.6 MHz: the highest word the scanner's records use

std::string& SlotField(ChannelTable& table, int n, int field) {
  return table.At(BankOf(n), RowOf(n), field);
}

// 100 Hz units of the record at slot n, or 0 for an empty channel or a word that is no frequency
// (unreadable, or one that would give no frequency above 0).
long long RecordUnits(const CloneReader& image, int n) {
  const int address = FrequencyAddress(n);
  int word = image.Byte(address) * 256 + image.Byte(address + 1);
  if (!image.IsReadable(address) || !image.IsReadable(address + 1)) return 0;
  if ((word >> 12) == 0x8) word = (word & 0x0FFF) | kFmWord;  // the AM mark of the airband
  if (word <= kFmWord || word > kHighestWord) return 0;
  return static_cast<long long>(word - kFmWord) * 1000 + FineStepUnits(image.Byte(address + 2));
}

}  // namespace

void filter_freqdata(const CloneReader& image, ChannelTable& table) {
  for (int n = 1; n <= kChannelCount; ++n) {
    const long long units = RecordUnits(image, n);
    SlotField(table, n, kFieldFrequency) = units == 0 ? "0" : ShortestDecimal(units / 10000.0);
  }
}

void filter_tagdata(const CloneReader& image, ChannelTable& table) {
  for (int n = 1; n <= kChannelCount; ++n) {
    std::string tag(kTagLength, ' ');
    for (int c = 0; c < kTagLength; ++c) tag[c] = TagCharOf(image.Byte(TagAddress(n) + c));
    SlotField(table, n, kFieldTag) = std::move(tag);
  }
}

void filter_pridata(const CloneReader& image, std::array<int, 11>& priority) {
  const int first = (kPriorityLine - 1) * 16;
  for (int b = 0; b < kScannerBanks; ++b) priority[b] = image.Byte(first + b) + 1;
}

void filter_settings(const CloneReader& image, ChannelTable& table) {
  for (int n = 1; n <= kChannelCount; ++n) {
    const int flags = image.Nibble(FlagAddress(n), true);
    const auto put = [&](int field, int bit) {
      SlotField(table, n, field) = flags & bit ? "1" : "0";
    };
    put(kFieldBeepAlert, kFlagBeepAlert);
    put(kFieldAtt, kFlagAtt);
    put(kFieldDelay, kFlagDelay);
    put(kFieldLockOut, kFlagLockOut);
  }
}

void filter_subtoon(const CloneReader& image, ChannelTable& table) {
  for (int n = 1; n <= kChannelCount; ++n) {
    const int code = SubtoneCodeOfByte(image.Byte(SubtoneAddress(n)));
    if (code >= 0) SlotField(table, n, kFieldSubtone) = IntText(code);
  }
}

void filter_paradata(const CloneReader& image, std::array<int, 21>& settings) {
  const int options = (kOptionsLine - 1) * 16;
  for (int i = 0; i <= 13; ++i) settings[i] = 0;
  settings[10] = image.NibbleChar(options + kPriorityWatchByte, true) == '8' ? 1 : 0;
  settings[11] = image.NibbleChar(options + kAlfaModeByte, false) == '1' ? 1 : 0;
  settings[12] = image.NibbleChar(options + kAutoLightByte, false) == '1' ? 1 : 0;
  settings[13] = image.NibbleChar((kSubtoneModeLine - 1) * 16, false) == '1' ? 1 : 0;
  const int low = image.Nibble(options + kBankBitsByte, false);
  const int high = image.Nibble(options + kBankBitsByte, true);
  const int top = image.Nibble(options + kBankBitsHighByte, false);
  for (int bit = 0; bit < 4; ++bit) {
    settings[bit] = (low >> bit) & 1;
    settings[4 + bit] = (high >> bit) & 1;
  }
  settings[8] = top & 1;
  settings[9] = (top >> 1) & 1;
}

void filter_image(Document& ws, Ui& ui) {
  ui.SetBusy(true);
  const CloneReader image(ws.clone_image);
  filter_freqdata(image, ws.table);
  filter_tagdata(image, ws.table);
  filter_pridata(image, ws.priority);
  filter_settings(image, ws.table);
  filter_subtoon(image, ws.table);
  filter_paradata(image, ws.scanner_settings);
  ui.SetBusy(false);
  if (image.damage()) ui.Tell("hexsmeter problem\r\n" + *image.damage());
}

}  // namespace talvirex
