// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window `memtab` as logic: the start-up sequence, the bank switch `ShowBank`, the
// title, the tab and View-menu captions, the labels above the grid, the channel-number column,
// the column widths and alignment, the menu commands of the editor, and the exit sequence with
// the files it writes. The desktop window draws this state and forwards its events here; tests
// drive it directly.

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/cell_editor.h"
#include "editor/command_table.h"
#include "editor/dialog_forms.h"
#include "editor/file_commands.h"
#include "editor/grid.h"
#include "editor/line_commands.h"
#include "editor/window_files.h"
#include "features/bank_names.h"
#include "files/stock_lists.h"
#include "settings/settings.h"

namespace talvirex {

struct Workspace;
struct CloneImage;
class Ui;
class Clipboard;
class Clock;

inline constexpr std::string_view kApplicationTitle = "Kelmora for Uniden SC200";
/// Leads the window title while the document holds data its file does not.
inline constexpr std::string_view kUnsavedMark = "*";
inline constexpr std::string_view kDummyBankNotice =
    "Data in dummy bank is for temporary storage only! Data is not saved nor send to BC250/785.";

/// Texts whose width in the grid font sets the start width of columns 1..7 and of column 0.
const std::array<std::string_view, 7>& ColumnWidthSamples();
inline constexpr std::string_view kChannelColumnSample = " Channel ";
/// Start widths of columns 1..7 in twips, estimated from the samples when the window has not
/// measured them in its font.
std::array<int, 7> EstimatedColumnWidths();

struct MainWindowFolders {
  std::filesystem::path program;  // setup.ini, names.dat, window.dat, ... (the user's data)
  std::filesystem::path install;  // the program's own folder: the manual, the help, stock lists
};

/// Work of other modules that the start-up sequence runs in its place.
struct MainWindowHooks {
  /// Builds the scanner's default memory image into the workspace's image (start-up step 1).
  std::function<void(CloneImage&)> build_default_image;
};

/// What became of a command handed to `Run`.
enum class CommandOutcome {
  kDone,         // carried out here
  kCloseWindow,  // the window must close (its close event then runs `RequestExit`)
  kForWindow,    // the window runs it: a dialog, the transfer window or another module's command
};

class MainWindowLogic {
 public:
  MainWindowLogic(Workspace& workspace, Ui& ui, Clipboard& clipboard, const Clock& clock,
                  MainWindowFolders folders, MainWindowHooks hooks = {});

  /// The start-up sequence, in its order. `measured_widths` are the widths of columns 1..7 that
  /// the window measured from the samples in its font.
  void Startup(const std::array<int, 7>& measured_widths = EstimatedColumnWidths());
  /// True when start-up asks for the last-file reload 200 ms after the window has loaded.
  bool WantsLastFileReload() const { return wants_last_file_reload_; }
  /// The last-file timer.
  void ReloadLastFile();
  /// The backup timer's minute tick.
  void BackupTick();

  /// `ShowBank`: shows bank tab `tab` (0..9 Banks 1..10, 10 Dummy; above 10 is taken as 10).
  void ShowBank(int tab);

  /// Runs a menu or toolbar command. A command with a dialog runs the core's steps before it,
  /// loads its form in `dialogs()` and answers `kForWindow`; the window shows the dialog and then
  /// calls `DialogClosed`.
  CommandOutcome Run(CommandId command);
  /// The dialog opened for `command` has closed: runs its confirming button's work when
  /// `result` is kConfirmed, then the steps after the dialog (redraw, captions, unsaved
  /// changes). Commands without a dialog are ignored.
  void DialogClosed(CommandId command, DialogResult result);
  DialogForms& dialogs() { return dialogs_; }
  /// Reads the channel list at `path` into the import dialog's form (a file dropped on the
  /// window, the one "Import Channel List..." asked for, or a stock list). True when the window is
  /// to show the dialog; otherwise the user was told why not.
  bool OpenChannelList(const std::string& path);
  /// Opens the channel file at `path` as File > Open does, after its "Save data?" question: a
  /// file given on the command line, handed over by a second start or dropped on the window.
  void OpenChannelFile(const std::string& path);
  /// The items of a listed command's submenu (IsListedCommand), top to bottom, as menu captions.
  std::vector<std::string> ListedItems(CommandId command) const;
  /// Runs item `index` of a listed command's submenu, as `Run` runs a command.
  CommandOutcome RunListed(CommandId command, std::size_t index);
  /// Where the duplicate searches write "dupl.txt"; until set, the process's current folder.
  void SetReportFolder(std::filesystem::path folder) { report_folder_ = std::move(folder); }
  /// `ManagerMode`: "Memory Manager", or "Memory Manager1" while the Banks command's dialog is
  /// open.
  std::string_view manager_mode() const { return manager_mode_; }
  /// The help page "&Contents" and "&Search For Help On.." show; nothing when it is missing (the
  /// commands then say so instead of answering `kForWindow`).
  std::optional<std::filesystem::path> HelpFile() const;
  bool IsEnabled(CommandId command) const;
  bool IsChecked(CommandId command) const;

  /// The exit sequence: its questions, then every exit file. True when the window may close;
  /// false when the user kept it open (nothing is written then).
  bool RequestExit();

  /// The window's current cell and selection changed (mouse or keyboard of the grid control).
  /// Rows are held within 1..20 and columns within 1..7.
  void SetSelection(CellPos current, CellPos selection_end);

  /// Captions after the bank names changed: tab i (0..9) "i + 1: " and name i, the Dummy tab as
  /// asked (its name alone at start-up, after loading a file and after the Memory Manager; "D: "
  /// and its name after the bank-tags dialog); the View menu's bank entries the names without
  /// leading blanks.
  void RefreshBankCaptions(DummyTabCaption dummy = DummyTabCaption::kNameOnly);
  /// Redraws the current bank after a dialog changed the table or the settings.
  void Redraw();

  /// The window title: the application's, then (once the file name first changed) " - [ ",
  /// the file name and " ]"; led by "*" while there are unsaved changes.
  std::string title();
  const std::string& tab_caption(int tab) const { return tab_captions_.at(tab); }
  const std::string& view_caption(int slot) const { return view_captions_.at(slot); }
  const std::string& bank_title() const { return bank_title_; }      // `label9`
  const std::string& dummy_notice() const { return dummy_notice_; }  // `label4`
  const std::array<int, 7>& column_widths() const { return column_widths_; }
  void SetColumnWidth(int column, int twips);
  /// Alignment of columns 1..7; always one of the three listed.
  GridAlignment alignment() const;
  bool toolbars_visible() const { return toolbars_visible_; }
  const WindowPlacement& placement() const { return placement_; }
  void SetPlacement(const WindowPlacement& placement) { placement_ = placement; }

  CellEditor& editor() { return editor_; }
  LineCommands& lines() { return lines_; }
  FileCommands& files() { return files_; }

 private:
  void SwitchBank(int tab);
  void StepThroughHistory(bool redo);
  void ShowFound(int bank, int row, int column);
  std::string StepName(CommandId command) const;
  void SyncTitle();
  void LoadPlacement();
  void LoadNames();
  void BlankTable();
  void WriteChannelColumn();
  CommandOutcome RunEdit(CommandId command);
  /// Runs `work` as one command of the window: a cell still being typed is a step of its own
  /// first, and the captions and the title follow what it did.
  void RunAsCommand(const std::function<void()>& work);
  bool RunTableCommand(CommandId command);
  bool OpenDialog(CommandId command);
  void CloseMemoryManager(DialogResult result);
  std::filesystem::path ReportFolder() const;
  void WriteExitFiles();
  void OpenUserManual();

  Workspace& ws_;
  Ui& ui_;
  MainWindowFolders folders_;
  MainWindowHooks hooks_;
  LineCommands lines_;
  CellEditor editor_;
  FileCommands files_;

  std::string title_{kApplicationTitle};
  std::string shown_file_name_;
  std::array<std::string, 11> tab_captions_;
  std::array<std::string, 12> view_captions_;
  std::string bank_title_;
  std::string dummy_notice_;
  std::array<int, 7> column_widths_ = EstimatedColumnWidths();
  bool toolbars_visible_ = true;
  bool wants_last_file_reload_ = false;
  WindowPlacement placement_;
  std::vector<StockList> stock_lists_;  // found at start-up beside the program
  DialogForms dialogs_;
  std::filesystem::path report_folder_;
  std::string_view manager_mode_ = kChannelManagerMode;
  std::size_t history_at_dialog_ = 0;  // the history's position when the open dialog opened
};

}  // namespace talvirex
