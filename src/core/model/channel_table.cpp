// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/channel_table.h"

#include <cmath>
#include <stdexcept>

#include "model/numeric_value.h"

namespace talvirex {

namespace {

constexpr std::array<std::string_view, kCtcssCount> kCtcss = {
    "67.0",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",  "94.8",
    "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3", "131.8",
    "136.5", "141.3", "146.2", "151.4", "156.7", "162.2", "167.9", "173.8", "179.9", "186.2",
    "192.8", "203.5", "210.7", "218.1", "225.7", "233.6", "241.8", "250.3"};

constexpr std::array<std::string_view, kDcsCount> kDcs = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
    "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
    "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
    "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
    "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
    "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
    "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
    "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

}  // namespace

std::size_t ChannelTable::Index(int bank, int row, int field) {
  if (bank < 0 || bank >= kBankSlots || row < 0 || row >= kRows || field < 0 || field >= kFields) {
    throw std::out_of_range("channel table index outside the table");
  }
  return (static_cast<std::size_t>(bank) * kRows + static_cast<std::size_t>(row)) * kFields +
         static_cast<std::size_t>(field);
}

double ChannelTable::FrequencyValue(int bank, int row) const {
  return NumericValue(At(bank, row, kFieldFrequency));
}

bool IsBankInUse(const ChannelTable& table, int bank) {
  if (bank < 0 || bank > kDummyBank) return false;
  for (int row = 1; row <= kChannelsPerBank; ++row) {
    if (table.FrequencyValue(bank, row) > 0) return true;
  }
  return false;
}

std::string_view CtcssText(int index) {
  return index >= 1 && index <= kCtcssCount ? kCtcss[index - 1] : std::string_view{};
}

std::string_view DcsText(int index) {
  return index >= 0 && index < kDcsCount ? kDcs[index] : std::string_view{};
}

std::string SubtoneText(std::string_view stored_code) {
  const double value = NumericValue(stored_code);
  if (value != std::floor(value)) return {};
  const int code = static_cast<int>(value);
  if (value < 0 || value > kLastSubtoneCode) return {};
  if (code == 0) return "None";
  if (code < kFirstDcsCode) return std::string(CtcssText(code));
  return std::string(DcsText(code - kFirstDcsCode));
}

int SubtoneCodeOf(std::string_view shown_text) {
  for (int i = 1; i <= kCtcssCount; ++i) {
    if (kCtcss[i - 1] == shown_text) return i;
  }
  for (int j = 0; j < kDcsCount; ++j) {
    if (kDcs[j] == shown_text) return kFirstDcsCode + j;
  }
  return -1;
}

}  // namespace talvirex
