// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The menu bar, the grid's popup menu `tabpop` and the two toolbars, built by walking the core's
// command table: one QAction per entry, each handing its CommandId to the window. Nothing about a
// command is decided here; `Refresh` copies the logic's enabled and checked states, the View
// menu's bank captions and the items of the listed submenus (the recent files) onto the actions.

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "editor/command_table.h"

class QAction;
class QIcon;
class QMainWindow;
class QMenu;
class QToolBar;

namespace talvirex {

class MainWindowLogic;

class CommandActions final : public QObject {
  Q_OBJECT

 public:
  using Runner = std::function<void(CommandId)>;
  using ListedRunner = std::function<void(CommandId, std::size_t)>;

  /// Builds the menus and toolbars into `window`; a chosen entry calls `run`, a chosen item of
  /// a listed submenu `run_listed`.
  CommandActions(QMainWindow& window, Runner run, ListedRunner run_listed);

  QMenu* popup() const { return popup_; }
  QToolBar* toolbar(int number) const { return number == 1 ? toolbar1_ : toolbar2_; }
  /// Every action bound to `command` (menu entries, popup entries, toolbar buttons).
  const std::vector<QAction*>& ActionsOf(CommandId command) const;
  /// The menu-bar menu with caption `caption` ("&File", ...), or null.
  QMenu* Menu(const QString& caption) const;
  /// The submenu of a listed command (IsListedCommand), or null.
  QMenu* ListedMenu(CommandId command) const;

  void Refresh(const MainWindowLogic& logic);

 private:
  QAction* AddEntry(QMenu* menu, const MenuEntry& entry);
  void BuildMenus(QMainWindow& window);
  void BuildToolbars(QMainWindow& window);
  QToolBar* BuildToolbar(QMainWindow& window, int number);

  struct Listed {
    QMenu* menu = nullptr;
    std::vector<std::string> items;  // the captions its actions show
  };
  void RefreshListed(CommandId command, Listed& listed, const MainWindowLogic& logic);

  Runner run_;
  ListedRunner run_listed_;
  std::map<CommandId, Listed> listed_;
  std::map<CommandId, std::vector<QAction*>> actions_;
  std::vector<QMenu*> menus_;
  QMenu* popup_ = nullptr;
  QToolBar* toolbar1_ = nullptr;
  QToolBar* toolbar2_ = nullptr;
};

/// The icon of toolbar icon `name`: the desktop theme's icon where the theme has one, else the
/// program's own ":/icons/<name>.svg".
QIcon ToolbarIcon(std::string_view name);

}  // namespace talvirex
