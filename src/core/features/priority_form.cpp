// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/priority_form.h"

#include <cmath>

#include "document.h"
#include "model/channel_table.h"
#include "model/numeric_value.h"
#include "text/text.h"

namespace talvirex {

namespace {

bool IsBank(int bank) { return bank >= 0 && bank < PriorityForm::kBanks; }

// At least three digits, leading zeros: 5 -> "005", 181 -> "181". The value is already within
// 1..200, rounded half away from zero as the number format of the field always did.
std::string ThreeDigits(double value) {
  std::string digits = IntText(std::lround(value));
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return digits;
}

}  // namespace

std::string PriorityForm::BankCaption(int bank) { return "Bank: " + IntText(bank + 1); }

std::string PriorityForm::Tooltip(int bank) {
  return IntText(ChannelNumber(bank, 1)) + " - " + IntText(ChannelNumber(bank, kChannelsPerBank));
}

void PriorityForm::Load(const Document& document) {
  for (int b = 0; b < kBanks; ++b) fields_[b] = IntText(document.priority[b]);
}

bool PriorityForm::AcceptsKey(char32_t code) { return (code >= '0' && code <= '9') || code == 8; }

std::string PriorityForm::Field(int bank) const {
  return IsBank(bank) ? fields_[bank] : std::string{};
}

void PriorityForm::SetField(int bank, std::string text) {
  if (IsBank(bank)) fields_[bank] = std::move(text);
}

void PriorityForm::ValidateAll() {
  for (int b = 0; b < kBanks; ++b) {
    double value = NumericValue(fields_[b]);
    const int first = ChannelNumber(b, 1);
    if (!(value >= first && value <= ChannelNumber(b, kChannelsPerBank))) value = first;
    fields_[b] = ThreeDigits(value);
  }
}

void PriorityForm::Close(Document& document) {
  ValidateAll();
  for (int b = 0; b < kBanks; ++b) {
    document.priority[b] = SmallIntValue(fields_[b]);
  }
}

}  // namespace talvirex
