// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window `memtab`: the desktop face of MainWindowLogic. It owns the program's one
// Workspace and the logic, draws their state (title, bank tabs `tabbed1`, the labels `label9`
// and `label4`, the grid `memtabel`, the controls above it, the help label, the status bar) and
// forwards every user event to the core: keys to CellEditor::PressKey and TypeChar, selections
// to SetSelection, menu and toolbar choices to Run. After each core call it redraws from the
// workspace; it keeps no state of its own beyond the widgets.

#include <QEvent>
#include <QMainWindow>
#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "app/window_ui.h"
#include "editor/main_window.h"
#include "platform/grid_model.h"
#include "ports/clock.h"
#include "workspace.h"

class QKeyEvent;
class QLabel;
class QMouseEvent;
class QProgressBar;
class QStackedWidget;
class QTabBar;
class QTableView;
class QTimer;

namespace talvirex {

class CommandActions;
class DialogLauncher;
class GridControls;
class QtClipboard;
class QtUi;

struct MainWindowOptions {
  MainWindowFolders folders;
  MainWindowHooks hooks;
  /// Questions and file dialogs; null: the desktop's message boxes and file dialogs.
  Ui* ui = nullptr;
  /// Null: the system clipboard.
  Clipboard* clipboard = nullptr;
  /// Null: the machine's clock.
  const Clock* clock = nullptr;
  /// Opens the dialogs and windows of the commands the logic leaves to the window; null: those
  /// commands do nothing.
  DialogLauncher* dialogs = nullptr;
  /// Shows the splash window `info` during start-up.
  bool splash = true;
  /// The backup timer's tick (a minute; tests make it short).
  std::chrono::milliseconds backup_tick{60 * 1000};
};

class MainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(MainWindowOptions options);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  /// The start-up sequence: the splash window (closed by a 100 ms timer), the program's files,
  /// the window's placement, the last-file reload (200 ms later, when asked) and the minute
  /// timer of the backups; then the window is shown.
  void Start();

  /// A menu or toolbar command, as choosing it does.
  void RunCommand(CommandId command);
  /// A file dropped on the window: a channel file is opened (after the "Save data?" question),
  /// any other file is imported as a channel list.
  void OpenDroppedFile(const QString& path);
  /// A channel file the desktop asks this window to open (a file given on the command line or
  /// handed over by a second start): the window comes to the front and opens it as File > Open
  /// does, once no dialog is open. It replaces the last-file reload still to come.
  void OpenFileFromDesktop(const QString& path);
  /// Shows the window in front of the others, restored when it was minimised.
  void BringToFront();
  /// Draws every part of the window from the workspace and the logic.
  void RefreshFromCore();

  Workspace& workspace() { return workspace_; }
  MainWindowLogic& logic() { return logic_; }
  QTableView* grid() const { return view_; }
  QTabBar* tabs() const { return tabs_; }
  CommandActions& commands() const { return *commands_; }
  GridControls& controls() const { return *controls_; }
  QLabel* bank_title_label() const { return bank_title_; }
  QLabel* help_label() const { return help_; }
  QLabel* bank_usage_label() const { return bank_usage_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildCentral();
  void BuildStatusBar();
  void ShowSplash();
  void Place();
  QSize DefaultSize() const;
  void StartTimers();
  void Carry(CommandId command, const std::function<CommandOutcome()>& run);
  void OpenChannelFile(const QString& path);
  void BetweenUserActions(std::function<void()> work);
  void RunDeferredWork();
  bool GridKey(const QKeyEvent& key);
  bool GridMouse(QObject* viewport, QMouseEvent& mouse, QEvent::Type type);
  void OnTab(int index);
  void OnViewSelection();
  void PushSelection();
  void AnnounceChangedCells();
  void ShowProgress(int value, int maximum);
  std::array<int, 7> MeasuredColumnWidths() const;
  void ApplyColumnWidths();
  void RememberPlacement();
  int PixelsOf(int twips) const;
  int TwipsOf(int pixels) const;

  MainWindowOptions options_;
  Workspace workspace_;
  std::unique_ptr<QtUi> own_ui_;
  std::unique_ptr<QtClipboard> own_clipboard_;
  SystemClock own_clock_;
  WindowUi ui_;
  Clipboard& clipboard_;
  const Clock& clock_;
  MainWindowLogic logic_;
  GridModel model_;

  QTabBar* tabs_ = nullptr;
  QLabel* bank_title_ = nullptr;    // `label9`
  QLabel* dummy_notice_ = nullptr;  // `label4`
  GridControls* controls_ = nullptr;
  QTableView* view_ = nullptr;        // `memtabel`
  QLabel* channel_header_ = nullptr;  // column 0's header, in the view's corner
  QLabel* help_ = nullptr;
  QLabel* file_name_ = nullptr;  // `fnaam`
  QLabel* bank_usage_ = nullptr;
  QStackedWidget* status_stack_ = nullptr;
  QLabel* status_text_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* current_channel_ = nullptr;
  QLabel* last_channel_ = nullptr;
  CommandActions* commands_ = nullptr;
  QTimer* backup_timer_ = nullptr;
  QTimer* deferred_timer_ = nullptr;  // retries timer work that had to wait for a dialog
  std::vector<std::function<void()>> deferred_work_;
  int commands_running_ = 0;
  int announced_bank_ = -1;        // the bank whose cells AnnounceChangedCells last saw
  bool syncing_ = false;           // the window itself is moving the view's selection or tab
  bool exited_ = false;            // the exit sequence has run; the close goes through
  bool forwarding_press_ = false;  // a grid press is being handed to the view first
  bool file_given_ = false;        // the desktop gave a file: no last-file reload then
};

}  // namespace talvirex
