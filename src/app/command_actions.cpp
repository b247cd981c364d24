// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_actions.h"

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "editor/main_window.h"

namespace talvirex {

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Freedesktop icon-theme names of the toolbar icons that have one.
struct ThemeName {
  std::string_view icon;
  const char* theme;
};
constexpr ThemeName kThemeNames[] = {
    {"exit", "application-exit"},
    {"open", "document-open"},
    {"save", "document-save"},
    {"undo", "edit-undo"},
    {"cut", "edit-cut"},
    {"copy", "edit-copy"},
    {"paste", "edit-paste"},
    {"delete", "edit-delete"},
    {"print", "document-print"},
    {"find", "edit-find"},
    {"help", "help-contents"},
    {"sort-ascending", "view-sort-ascending"},
    {"sort-descending", "view-sort-descending"},
    {"shift-up", "go-up"},
    {"shift-down", "go-down"},
    {"software-options", "preferences-system"},
};

const std::vector<QAction*> kNoActions;

}  // namespace

QIcon ToolbarIcon(std::string_view name) {
  const QIcon own(QStringLiteral(":/icons/%1.svg").arg(Text(name)));
  for (const ThemeName& theme : kThemeNames) {
    if (theme.icon == name) return QIcon::fromTheme(QString::fromLatin1(theme.theme), own);
  }
  return own;
}

CommandActions::CommandActions(QMainWindow& window, Runner run, ListedRunner run_listed)
    : QObject(&window), run_(std::move(run)), run_listed_(std::move(run_listed)) {
  BuildMenus(window);
  BuildToolbars(window);
}

QAction* CommandActions::AddEntry(QMenu* menu, const MenuEntry& entry) {
  if (entry.caption.empty()) return menu->addSeparator();
  if (IsListedCommand(entry.command)) {
    // Its items follow the logic's list; the submenu itself is enabled as its command is.
    QMenu* listed = menu->addMenu(Text(entry.caption));
    listed_[entry.command].menu = listed;
    actions_[entry.command].push_back(listed->menuAction());
    return listed->menuAction();
  }
  QString caption = Text(entry.caption);
  // A caption that spells out its key ("... Shift Del") would show it twice beside Qt's own
  // shortcut text.
  const QString key_words = Text(entry.accelerator).replace(QLatin1Char('+'), QLatin1Char(' '));
  if (!key_words.isEmpty() && caption.endsWith(QLatin1Char(' ') + key_words)) {
    caption.chop(key_words.size() + 1);
  }
  QAction* action = menu->addAction(caption);
  if (!entry.name.empty()) action->setObjectName(Text(entry.name));
  if (!entry.accelerator.empty()) {
    QList<QKeySequence> keys = {QKeySequence(Text(entry.accelerator))};
    // Redo answers to the other desktop editors' key too.
    if (entry.command == CommandId::kRedo)
      keys.append(QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    action->setShortcuts(keys);
    // The grid takes every key itself; a menu shortcut must win over it in the whole window.
    action->setShortcutContext(Qt::WindowShortcut);
  }
  const bool checkable = entry.command == CommandId::kToolbar || ShowBankSlot(entry.command) >= 0;
  action->setCheckable(checkable);
  const CommandId command = entry.command;
  connect(action, &QAction::triggered, this, [this, command] { run_(command); });
  actions_[command].push_back(action);
  return action;
}

void CommandActions::BuildMenus(QMainWindow& window) {
  const auto captions = MenuCaptions();
  for (const std::string_view caption : captions) {
    menus_.push_back(window.menuBar()->addMenu(Text(caption)));
  }
  popup_ = new QMenu(&window);
  popup_->setObjectName(QStringLiteral("tabpop"));
  std::map<std::pair<MenuId, std::string_view>, QMenu*> submenus;
  for (const MenuEntry& entry : MenuEntries()) {
    QMenu* menu =
        entry.menu == MenuId::kPopup ? popup_ : menus_.at(static_cast<std::size_t>(entry.menu));
    if (!entry.submenu.empty()) {
      QMenu*& submenu = submenus[{entry.menu, entry.submenu}];
      if (submenu == nullptr) submenu = menu->addMenu(Text(entry.submenu));
      menu = submenu;
    }
    AddEntry(menu, entry);
  }
}

QToolBar* CommandActions::BuildToolbar(QMainWindow& window, int number) {
  auto* toolbar = window.addToolBar(QStringLiteral("Toolbar %1").arg(number));
  toolbar->setObjectName(QStringLiteral("Toolbar%1").arg(number));
  toolbar->setIconSize(QSize(16, 16));
  toolbar->setMovable(false);
  for (const ToolbarButton& button : ToolbarButtons()) {
    if (button.toolbar != number) continue;
    if (button.command == CommandId::kNone) {
      toolbar->addSeparator();
      continue;
    }
    QAction* action = toolbar->addAction(ToolbarIcon(button.icon), Text(button.tooltip));
    action->setToolTip(Text(button.tooltip));
    action->setObjectName(QStringLiteral("tool%1_%2").arg(number).arg(button.position));
    const CommandId command = button.command;
    connect(action, &QAction::triggered, this, [this, command] { run_(command); });
    actions_[command].push_back(action);
  }
  return toolbar;
}

void CommandActions::BuildToolbars(QMainWindow& window) {
  toolbar1_ = BuildToolbar(window, 1);
  window.addToolBarBreak();
  toolbar2_ = BuildToolbar(window, 2);
}

const std::vector<QAction*>& CommandActions::ActionsOf(CommandId command) const {
  const auto found = actions_.find(command);
  return found == actions_.end() ? kNoActions : found->second;
}

QMenu* CommandActions::Menu(const QString& caption) const {
  for (QMenu* menu : menus_) {
    if (menu->title() == caption) return menu;
  }
  return nullptr;
}

QMenu* CommandActions::ListedMenu(CommandId command) const {
  const auto found = listed_.find(command);
  return found == listed_.end() ? nullptr : found->second.menu;
}

void CommandActions::RefreshListed(CommandId command, Listed& listed,
                                   const MainWindowLogic& logic) {
  std::vector<std::string> items = logic.ListedItems(command);
  if (items == listed.items) return;
  listed.items = std::move(items);
  listed.menu->clear();
  for (std::size_t index = 0; index < listed.items.size(); ++index) {
    QAction* action = listed.menu->addAction(QString::fromStdString(listed.items[index]));
    connect(action, &QAction::triggered, this,
            [this, command, index] { run_listed_(command, index); });
  }
}

void CommandActions::Refresh(const MainWindowLogic& logic) {
  for (auto& [command, listed] : listed_) RefreshListed(command, listed, logic);
  for (const auto& [command, actions] : actions_) {
    const bool enabled = logic.IsEnabled(command);
    const bool checked = logic.IsChecked(command);
    const int slot = ShowBankSlot(command);
    for (QAction* action : actions) {
      action->setEnabled(enabled);
      if (action->isCheckable()) action->setChecked(checked);
      // A bank name is shown as typed: "&" is a character there, not an access key.
      if (slot >= 0 && slot <= 10) {
        action->setText(QString::fromStdString(logic.view_caption(slot))
                            .replace(QLatin1Char('&'), QStringLiteral("&&")));
      }
    }
  }
  const bool toolbars = logic.toolbars_visible();
  toolbar1_->setVisible(toolbars);
  toolbar2_->setVisible(toolbars);
}

}  // namespace talvirex
