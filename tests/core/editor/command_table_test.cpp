#include "editor/command_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace talvirex {
namespace {

TEST(CommandTable, ToolbarsBindTheirPositions) {
  const std::map<std::pair<int, int>, CommandId> expected = {
      {{1, 1}, CommandId::kExit},           {{1, 3}, CommandId::kOpen},
      {{1, 4}, CommandId::kSave},           {{1, 6}, CommandId::kUndo},
      {{1, 12}, CommandId::kMemoryChannels}, {{1, 19}, CommandId::kDelete},
      {{1, 23}, CommandId::kCheckData},     {{1, 27}, CommandId::kReadFromScanner},
      {{1, 28}, CommandId::kSendToScanner}, {{1, 30}, CommandId::kPopupHint},
      {{1, 31}, CommandId::kHelpContents},  {{2, 1}, CommandId::kPrint},
      {{2, 13}, CommandId::kCenterTags},    {{2, 17}, CommandId::kDuplicatesInBank},
      {{2, 22}, CommandId::kCheckData},     {{2, 26}, CommandId::kBankTags},
      {{2, 29}, CommandId::kShiftChannelUp}, {{2, 30}, CommandId::kShiftChannelDown}};
  const std::set<int> empty_on_first = {2, 5, 7, 11, 14, 20, 24, 25, 26, 29};
  std::set<std::pair<int, int>> seen;
  int bound = 0;
  for (const ToolbarButton& button : ToolbarButtons()) {
    EXPECT_TRUE(seen.insert({button.toolbar, button.position}).second) << button.position;
    if (const auto it = expected.find({button.toolbar, button.position}); it != expected.end()) {
      EXPECT_EQ(button.command, it->second) << button.toolbar << "/" << button.position;
    }
    if (button.toolbar == 1 && empty_on_first.contains(button.position)) {
      EXPECT_EQ(button.command, CommandId::kNone) << button.position;
    }
    if (button.command != CommandId::kNone) {
      ++bound;
      EXPECT_FALSE(button.tooltip.empty());
      EXPECT_FALSE(button.icon.empty());
    }
  }
  EXPECT_EQ(bound, 21 + 19);
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
