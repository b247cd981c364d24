// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/channel_diff.h"

#include <array>
#include <string_view>
#include <vector>

#include "document.h"
#include "image/clone_access.h"
#include "image/clone_image.h"
#include "image/encoders.h"
#include "image/memory_map.h"
#include "model/channel_table.h"
#include "model/numeric_value.h"
#include "text/text.h"

namespace talvirex {

namespace {

using namespace image_map;

constexpr std::array<std::string_view, 8> kColumnNames = {
    "", "Freq. (MHz)", "Tag", "Delay", "Lock Out", "PL/DPL", "Beep Alert", "ATT"};

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// Two stored frequencies are one when they mean the same number (" 145.12" and "145.1200").
bool SameField(int field, const std::string& a, const std::string& b) {
  if (field == kFieldFrequency) return NumericValue(a) == NumericValue(b);
  return a == b;
}

// The channels of banks 1..10 as a send writes them, in an image of their own so that only the
// table decides its bytes.
CloneImage SentChannels(const ChannelTable& table) {
  CloneImage image;
  BuildDefaultImage(image);
  create_freqdata(table, image);
  create_setdata(table, image);
  create_subtoondata(table, image);
  create_tagdata(table, image);
  return image;
}

int FlagOf(int field) {
  switch (field) {
    case kFieldDelay: return kFlagDelay;
    case kFieldLockOut: return kFlagLockOut;
    case kFieldBeepAlert: return kFlagBeepAlert;
    default: return kFlagAtt;
  }
}

// What the scanner holds of one field of slot n.
std::vector<int> SentField(const CloneReader& image, int n, int field) {
  const auto bytes = [&](int address, int count) {
    std::vector<int> out;
    for (int i = 0; i < count; ++i) out.push_back(image.Byte(address + i));
    return out;
  };
  switch (field) {
    case kFieldFrequency: return bytes(FrequencyAddress(n), 3);
    case kFieldTag: return bytes(kTagAddress + kTagLength * (n - 1), kTagLength);
    case kFieldSubtone: return bytes(SubtoneAddress(n), 1);
    default: return {image.Nibble(FlagAddress(n), true) & FlagOf(field)};
  }
}

bool SentEmpty(const CloneReader& image, int n) {
  return SentField(image, n, kFieldFrequency) == std::vector<int>{0, 0, 0};
}

void DiffChannels(const Document& a, const Document& b, DiffForm form,
                  std::vector<std::string>& out) {
  const bool exact = form == DiffForm::kExact;
  const CloneImage image_a = SentChannels(a.table);
  const CloneImage image_b = SentChannels(b.table);
  const CloneReader sent_a(image_a);
  const CloneReader sent_b(image_b);
  for (int n = 1; n <= kChannelCount; ++n) {
    const int bank = BankOf(n);
    const int row = RowOf(n);
    const bool a_empty = exact ? a.table.FrequencyValue(bank, row) == 0 : SentEmpty(sent_a, n);
    const bool b_empty = exact ? b.table.FrequencyValue(bank, row) == 0 : SentEmpty(sent_b, n);
    if (a_empty && b_empty) continue;  // empty channels differ in nothing the scanner keeps
    // Beside a channel in use, an empty one's fields are compared as texts: the scanner keeps
    // none of them.
    const bool by_text = exact || a_empty || b_empty;
    const std::string where =
        "Channel " + IntText(n) + " (Bank " + IntText(bank + 1) + ", row " + IntText(row) + "): ";
    for (int field = kFieldFrequency; field <= kFieldAtt; ++field) {
      const std::string& x = a.table.At(bank, row, field);
      const std::string& y = b.table.At(bank, row, field);
      const bool same = by_text ? SameField(field, x, y)
                                : SentField(sent_a, n, field) == SentField(sent_b, n, field);
      if (same) continue;
      out.push_back(where + std::string(kColumnNames[field]) + " " + Quoted(x) + " -> " +
                    Quoted(y));
    }
  }
}

template <typename List>
void DiffList(std::string_view name, const List& a, const List& b, std::size_t count,
              std::vector<std::string>& out) {
  for (std::size_t i = 0; i < count; ++i) {
    if (a[i] == b[i]) continue;
    std::string x, y;
    if constexpr (std::is_same_v<typename List::value_type, std::string>) {
      x = Quoted(a[i]);
      y = Quoted(b[i]);
    } else {
      x = IntText(a[i]);
      y = IntText(b[i]);
    }
    out.push_back(std::string(name) + " " + IntText(static_cast<long long>(i)) + ": " + x + " -> " +
                  y);
  }
}

}  // namespace

std::vector<std::string> DiffTables(const Document& a, const Document& b, DiffForm form) {
  std::vector<std::string> out;
  DiffChannels(a, b, form, out);
  DiffList("Bank name", a.bank_names, b.bank_names, a.bank_names.size(), out);
  DiffList("Priority channel of bank index", a.priority, b.priority, 10, out);
  DiffList("Scanner setting", a.scanner_settings, b.scanner_settings, a.scanner_settings.size(),
           out);
  DiffList("Search range", a.search_range, b.search_range, 2, out);
  return out;
}

}  // namespace talvirex
