// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/scanner_options_form.h"

#include "document.h"
#include "text/text.h"

namespace talvirex {

namespace {

constexpr int kFirstSwitchEntry = 10;

void Store(Document& document, int entry, int value) { document.scanner_settings[entry] = value; }

}  // namespace

std::string_view ScannerOptionsForm::SwitchCaption(int which) {
  switch (which) {
    case kPriority: return "Priority:";
    case kAlfaMode: return "Alfa Mode:";
    case kAutoLight: return "AutoLight:";
    case kSubtoneMode: return "Subtone Mode:";
    default: return {};
  }
}

std::string ScannerOptionsForm::BankCaption(int bank) { return IntText(bank + 1); }

void ScannerOptionsForm::Load(const Document& document) {
  for (int b = 0; b < kBanks; ++b) bank_active[b] = document.scanner_settings[b] == 1;
  for (int s = 0; s < kSwitches; ++s) {
    switch_on[s] = document.scanner_settings[kFirstSwitchEntry + s] == 1;
  }
}

void ScannerOptionsForm::Ok(Document& document) const {
  std::array<int, kFirstSwitchEntry + kSwitches> entries{};
  int active = 0;
  for (int b = 0; b < kBanks; ++b) {
    entries[b] = bank_active[b] ? 1 : 0;
    active += entries[b];
  }
  if (active == 0) entries[0] = 1;
  for (int s = 0; s < kSwitches; ++s) entries[kFirstSwitchEntry + s] = switch_on[s] ? 1 : 0;
  for (int i = 0; i < static_cast<int>(entries.size()); ++i) Store(document, i, entries[i]);
}

}  // namespace talvirex
