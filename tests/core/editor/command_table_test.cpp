#include "editor/command_table.h"

#include <gtest/gtest.h>

#include <set>

namespace talvirex {
namespace {

TEST(CommandTable, ToolbarPositionsAreUniqueAndBoundButtonsHaveTipAndIcon) {
  std::set<std::pair<int, int>> seen;
  for (const ToolbarButton& button : ToolbarButtons()) {
    EXPECT_TRUE(seen.insert({button.toolbar, button.position}).second) << button.position;
    if (button.command == CommandId::kNone) continue;
    EXPECT_FALSE(button.tooltip.empty()) << button.position;
    EXPECT_FALSE(button.icon.empty()) << button.position;
  }
}

TEST(CommandTable, EveryCommandHasAMenuEntryOrAButton) {
  std::set<CommandId> reachable;
  for (const MenuEntry& entry : MenuEntries()) {
    EXPECT_EQ(entry.caption.empty(), entry.command == CommandId::kNone);
    reachable.insert(entry.command);
  }
  for (const ToolbarButton& button : ToolbarButtons()) reachable.insert(button.command);
  for (int id = static_cast<int>(CommandId::kNone); id <= static_cast<int>(CommandId::kPopupHint);
       ++id) {
    EXPECT_TRUE(reachable.contains(static_cast<CommandId>(id))) << id;
  }
}

TEST(CommandTable, ViewBankEntries) {
  for (int slot = 0; slot <= 11; ++slot) EXPECT_EQ(ShowBankSlot(ShowBankCommand(slot)), slot);
  EXPECT_EQ(ShowBankCommand(12), CommandId::kNone);
  EXPECT_EQ(ShowBankSlot(CommandId::kUndo), -1);
}

}  // namespace
}  // namespace talvirex
