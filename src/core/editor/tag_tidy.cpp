// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/tag_tidy.h"

#include <cmath>
#include <functional>

#include "editor/grid_bridge.h"
#include "editor/line_commands.h"
#include "model/channel_table.h"
#include "ports/ui.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex {

namespace {

constexpr std::size_t kCenterWidth = 10;
constexpr std::size_t kTagWidth = 16;

void RewriteTags(Workspace& ws, Ui& ui, const std::function<std::string(std::string_view)>& rule) {
  TakeSnapshot(ws, ui);
  const int bank = ws.current_bank;
  if (bank >= 0 && bank <= kDummyBank) {
    for (int row = 1; row <= kChannelsPerBank; ++row) {
      std::string& tag = ws.table.At(bank, row, kFieldTag);
      tag = rule(tag);
    }
  }
  RenderBank(ws, ui);
}

}  // namespace

std::string CenteredTag(std::string_view tag) {
  std::string cut(TrimBlanks(Utf8Left(tag, kCenterWidth)));
  const std::size_t length = Utf8Length(cut);
  if (length == 0 || length >= kCenterWidth) return cut;
  const auto blanks = static_cast<std::size_t>(
      std::nearbyint(static_cast<double>(kCenterWidth - length) / 2.0));  // halves to even
  return std::string(blanks, ' ') + cut;
}

std::string TrimmedTag(std::string_view tag) {
  std::string cut = Utf8Left(tag, kTagWidth);
  const std::size_t length = Utf8Length(cut);
  if (length == 0 || length >= kTagWidth) return cut;
  return std::string(TrimBlanks(cut));
}

void CenterTags(Workspace& ws, Ui& ui) { RewriteTags(ws, ui, CenteredTag); }

void RemoveLeadingSpaces(Workspace& ws, Ui& ui) { RewriteTags(ws, ui, TrimmedTag); }

std::string BankEmptyStatusText(const ChannelTable& table) {
  std::string text = "Bank Empty Status:\r\n\r\n";
  for (int bank = 0; bank <= kDummyBank; ++bank) {
    if (IsBankInUse(table, bank)) continue;
    text +=
        "Bank " + (bank == kDummyBank ? std::string("Dummy") : IntText(bank + 1)) + ": Empty\r\n";
  }
  return text;
}

void ShowBankEmptyStatus(Workspace& ws, Ui& ui) {
  CommitBank(ws, ui);
  ws.status.bank_usage = BankUsageSummary(ws.table);
  ui.Tell(BankEmptyStatusText(ws.table));
}

}  // namespace talvirex
