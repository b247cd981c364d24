// SPDX-License-Identifier: GPL-3.0-or-later
// The window and its dialogs as a screen reader meets them: through their QAccessible interfaces,
// the names spoken for every control that takes the focus, the grid's cells with their headers,
// and the keys that lead out of the grid and through the banks.

#include <QAccessible>
#include <QComboBox>
#include <QScrollBar>
#include <QTabBar>
#include <gmock/gmock.h>
#include <set>
#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "widget_lookup.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::Activate;
using testing::Child;
using ::testing::IsEmpty;

// What a screen reader speaks for a control: the labels whose buddy it is, else its own name.
// A frame around it is a label too, but names the group.
std::string SpokenName(QAccessibleInterface& control) {
  QString labels;
  for (const auto& [label, relation] : control.relations(QAccessible::Label)) {
    if (label->role() != QAccessible::Grouping) labels += label->text(QAccessible::Name);
  }
  return (labels.isEmpty() ? control.text(QAccessible::Name) : labels).trimmed().toStdString();
}

bool HasWord(const std::string& name) {
  return std::any_of(name.begin(), name.end(), [](unsigned char c) { return std::isalpha(c); });
}

// Every focusable control below `node` whose spoken name is empty, holds no letter, is the entry
// a list shows (Qt names a list by it), or is shared with a control of its kind beside it.
// A list's entries and a table's cells are its content, not controls.
void CollectUnnamed(QAccessibleInterface& node, std::vector<std::string>& unnamed) {
  std::set<std::pair<QAccessible::Role, std::string>> seen;
  for (int i = 0; i < node.childCount(); ++i) {
    QAccessibleInterface* child = node.child(i);
    if (child == nullptr) continue;
    const QAccessible::Role role = child->role();
    const std::string name = SpokenName(*child);
    if (child->state().focusable) {
      const auto* list = qobject_cast<const QComboBox*>(child->object());
      const bool by_value = list != nullptr && list->findText(QString::fromStdString(name)) >= 0;
      if (!HasWord(name) || by_value || !seen.insert({role, name}).second) {
        unnamed.push_back(child->object()->objectName().toStdString() + " '" + name + "'");
      }
    }
    if (role != QAccessible::ComboBox && role != QAccessible::List && role != QAccessible::Table) {
      CollectUnnamed(*child, unnamed);
    }
  }
}

std::vector<std::string> UnnamedControls(QWidget& window) {
  std::vector<std::string> unnamed;
  CollectUnnamed(*QAccessible::queryAccessibleInterface(&window), unnamed);
  return unnamed;
}

class AccessibilityTest : public testing::MainWindowFixture {
 protected:
  AccessibilityTest() { Open(); }
  QAccessibleInterface& GridInterface() { return *QAccessible::queryAccessibleInterface(&Grid()); }
  QAccessibleInterface& CellInterface(int row, int column) {
    return *GridInterface().tableInterface()->cellAt(row - 1, column - 1);
  }
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
};

TEST_F(AccessibilityTest, EveryFocusableControlOfTheWindowAndItsDialogsHasAName) {
  EXPECT_THAT(UnnamedControls(*window_), IsEmpty()) << "main window";
  for (const CommandId command :
       {CommandId::kFind, CommandId::kReplace, CommandId::kMemoryChannels, CommandId::kMemoryBanks,
        CommandId::kEasyFill, CommandId::kPriorityChannels, CommandId::kScannerOptions,
        CommandId::kBankTags, CommandId::kSoftwareOptions, CommandId::kDefaultData,
        CommandId::kExportCsv, CommandId::kPrint, CommandId::kAbout, CommandId::kReadFromScanner}) {
    RunAnswering(command, [&](QDialog& dialog) {
      EXPECT_THAT(UnnamedControls(dialog), IsEmpty()) << dialog.windowTitle().toStdString();
    });
  }
  window_->RunCommand(CommandId::kAdvancedImport);  // not modal: it stays open beside the window
  auto* import = window_->findChild<QDialog*>(QStringLiteral("csvfile"));
  ASSERT_NE(import, nullptr);
  EXPECT_THAT(UnnamedControls(*import), IsEmpty()) << "Advanced Data Import";
}

// The announcement of a stored value needs an active accessibility bridge, which the offscreen
// platform has not; tools/a11y_audit.py hears it on the real bus.
TEST_F(AccessibilityTest, AGridCellSpeaksItsChannelColumnAndStoredValueAndReportsItsHeaders) {
  TypeFrequency(3, QStringLiteral("146.52"));
  EXPECT_EQ(CellInterface(3, 1).text(QAccessible::Name),
            QStringLiteral("Channel 3, Freq. (MHz), 146.5200"));
  QAccessibleTableCellInterface& cell = *CellInterface(3, 1).tableCellInterface();
  // Qt makes the header cells afresh for each call and leaves them to the caller to delete.
  for (const auto& [headers, name] : {std::pair{cell.rowHeaderCells(), "Channel 3"},
                                      std::pair{cell.columnHeaderCells(), "Freq. (MHz)"}}) {
    EXPECT_EQ(headers.size(), 1);
    for (QAccessibleInterface* header : headers) {
      EXPECT_EQ(header->text(QAccessible::Name), QString::fromUtf8(name));
      QAccessible::deleteAccessibleInterface(QAccessible::registerAccessibleInterface(header));
    }
  }
  EXPECT_EQ(CellInterface(20, 2).text(QAccessible::Name), QStringLiteral("Channel 20, Tag, empty"));
}

TEST_F(AccessibilityTest, CtrlPageKeysSwitchBanksThroughTheTabsAndTheGridNamesTheBank) {
  window_->workspace().bank_names[2] = "Fire and Rescue";
  window_->logic().RefreshBankCaptions();
  Activate(*window_);
  TypeFrequency(1, QStringLiteral("146.52"));  // typed into bank 1: the switch commits it
  const struct {
    Qt::Key key;
    int bank;
    const char* grid;
  } steps[] = {{Qt::Key_PageDown, 1, "Bank 2: Bank: 2"},
               {Qt::Key_PageDown, 2, "Bank 3: Fire and Rescue"},
               {Qt::Key_PageUp, 1, "Bank 2: Bank: 2"},
               {Qt::Key_PageUp, 0, "Bank 1: Bank: 1"},
               {Qt::Key_PageUp, kDummyBank, "Dummy Bank: Dummy"}};
  for (const auto& step : steps) {
    Press(step.key, Qt::ControlModifier);
    EXPECT_EQ(window_->workspace().current_bank, step.bank);
    EXPECT_EQ(window_->tabs()->currentIndex(), step.bank);
    EXPECT_EQ(GridInterface().text(QAccessible::Name), QString::fromLatin1(step.grid));
  }
  EXPECT_EQ(window_->workspace().table.At(0, 1, kFieldFrequency), "146.5200");
}

TEST_F(AccessibilityTest, TabMovesBetweenCellsAndCtrlTabLeadsOutOfTheGrid) {
  Activate(*window_);
  ASSERT_EQ(QApplication::focusWidget(), &Grid());
  Press(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), &Grid());
  EXPECT_EQ(Grid().currentIndex().column(), 1);
  Press(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_NE(QApplication::focusWidget(), &Grid());
  Grid().setFocus();
  Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_NE(QApplication::focusWidget(), &Grid());
  EXPECT_EQ(Grid().currentIndex().column(), 1);  // the keys that leave move no cell
}

TEST_F(AccessibilityTest, TabReachesTheBackupIntervalAndItsArrowsSetIt) {
  RunAnswering(CommandId::kSoftwareOptions, [&](QDialog& dialog) {
    Activate(dialog);
    Child<QWidget>(dialog, QStringLiteral("Check1")).setFocus();
    Press(Qt::Key_Tab);
    auto& interval = Child<QScrollBar>(dialog, QStringLiteral("HScroll1"));
    ASSERT_EQ(QApplication::focusWidget(), &interval);
    const int minutes = interval.value();
    Press(Qt::Key_Right);
    EXPECT_EQ(interval.value(), minutes + 1);
  });
}

}  // namespace
}  // namespace talvirex
