// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/bank_names_form.h"

#include "document.h"
#include "text/text.h"

namespace talvirex {

namespace {

std::string_view TrimSpaces(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string CutAndStrip(std::string_view text) {
  return std::string(TrimSpaces(Utf8Left(text, kBankNameMaxLength)));
}

bool IsFieldIndex(int field) { return field >= 0 && field < BankNamesForm::kFieldCount; }

}  // namespace

std::string BankNamesForm::Caption(int field) {
  if (field >= 0 && field <= 8) return "Bank " + IntText(field + 1);
  switch (field) {
    case 9: return "Bank 10:";
    case 10: return "Dummy:";
    case 11: return "Search / Edge:";
    default: return {};
  }
}

void BankNamesForm::Load(const Document& document) {
  for (int i = 0; i < kFieldCount; ++i) fields_[i] = document.bank_names[i];
}

bool BankNamesForm::AcceptsKey(char32_t code) {
  if (code >= 1 && code <= 25) return code != 13;
  return code >= 32 && code <= 126 && code != '"' && code != ',';
}

std::string BankNamesForm::Field(int field) const {
  return IsFieldIndex(field) ? fields_[field] : std::string{};
}

void BankNamesForm::SetField(int field, std::string text) {
  if (IsFieldIndex(field)) fields_[field] = std::move(text);
}

int BankNamesForm::Counter(int field) const { return static_cast<int>(Utf8Length(Field(field))); }

void BankNamesForm::Center() {
  for (int i = 0; i < kSearchField; ++i) {
    std::string text = CutAndStrip(fields_[i]);
    const auto length = static_cast<int>(Utf8Length(text));
    if (length > 0 && length < kBankNameMaxLength) {
      text.insert(0, static_cast<std::size_t>((kBankNameMaxLength - length) / 2), ' ');
    }
    fields_[i] = std::move(text);
  }
}

void BankNamesForm::Left() {
  for (int i = 0; i < kSearchField; ++i) fields_[i] = CutAndStrip(fields_[i]);
}

void BankNamesForm::ClearAll() {
  for (auto& field : fields_) field.clear();
}

void BankNamesForm::Default() {
  const BankNameList defaults = DefaultBankNames();
  for (int i = 0; i < kFieldCount; ++i) fields_[i] = defaults[i];
}

void BankNamesForm::Ok(Document& document) const {
  for (int i = 0; i < kFieldCount; ++i) {
    std::string name = fields_[i].empty() ? " " : Utf8Left(fields_[i], kBankNameMaxLength);
    for (char& c : name) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    document.bank_names[i] = std::move(name);
  }
}

}  // namespace talvirex
