// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/main_window.h"

#include <algorithm>

#include "editor/duplicates.h"
#include "editor/grid_bridge.h"
#include "editor/sort_commands.h"
#include "editor/tag_lists.h"
#include "editor/tag_tidy.h"
#include "files/file_io.h"
#include "files/stock_lists.h"
#include "model/numeric_value.h"
#include "ports/ui.h"
#include "settings/program_documents.h"
#include "settings/program_files.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex {

namespace {

constexpr int kTwipsPerSampleCharacter = 90;
constexpr std::array<std::string_view, 8> kHeaders = {
    "Channel", "Freq. (MHz)", "Tag", "Delay", "Lock Out", "PL/DPL", "Beep Alert", "ATT"};

std::string BankTitle(int bank) {
  return bank == kDummyBank ? "Dummy Bank" : "Bank " + IntText(bank + 1);
}

}  // namespace

const std::array<std::string_view, 7>& ColumnWidthSamples() {
  static constexpr std::array<std::string_view, 7> kSamples = {
      " Frequency     ", " CommentsWWWWWWWWWWW  ", "  Delay  ",     "  Lock Out  ",
      "  PL/DPL  ",      "  Beep Alert  ",         "  Attenuator  "};
  return kSamples;
}

std::array<int, 7> EstimatedColumnWidths() {
  std::array<int, 7> widths{};
  for (std::size_t i = 0; i < widths.size(); ++i) {
    widths[i] = static_cast<int>(ColumnWidthSamples()[i].size()) * kTwipsPerSampleCharacter;
  }
  return widths;
}

MainWindowLogic::MainWindowLogic(Workspace& workspace, Ui& ui, Clipboard& clipboard,
                                 const Clock& clock, MainWindowFolders folders,
                                 MainWindowHooks hooks)
    : ws_(workspace),
      ui_(ui),
      folders_(std::move(folders)),
      hooks_(std::move(hooks)),
      lines_(workspace, ui, clipboard),
      editor_(workspace, ui, lines_),
      files_(workspace, ui, clock, folders_.program),
      shown_file_name_(workspace.file_name) {}

void MainWindowLogic::Startup(const std::array<int, 7>& measured_widths) {
  if (hooks_.build_default_image) hooks_.build_default_image(ws_.clone_image);
  for (int bank = 0; bank < kScannerBanks; ++bank) ws_.priority[bank] = ChannelNumber(bank, 1);
  std::fill(ws_.scanner_settings.begin(), ws_.scanner_settings.begin() + 20, 0);
  ws_.current_bank = 0;
  LoadSettingsFiles(ws_, folders_.program);  // "setup.ini", then "defdata.ini"
  ws_.recent_files.Load(folders_.program);
  stock_lists_ = FindStockLists(folders_.install);
  ws_.current_bank = 0;
  title_ = std::string(kApplicationTitle);
  shown_file_name_ = ws_.file_name;
  column_widths_ = measured_widths;
  if (ws_.settings.save_window_placement) LoadPlacement();
  LoadNames();
  toolbars_visible_ = ws_.settings.show_toolbars;
  if (!IsListedAlignment(ws_.settings.align)) ws_.settings.align = GridAlignment::kLeft;
  BlankTable();
  for (int i = 0; i < kScannerBanks; ++i) ws_.scanner_settings[i] = 1;
  if (ws_.settings.save_column_widths) {
    if (const auto file = ReadWholeFile(folders_.program / "tabw200.ini", 1u << 16); file.bytes) {
      ApplyTabWidths(*file.bytes, column_widths_);
    }
  }
  for (int column = 0; column < kGridColumns; ++column) ws_.grid.Cell(0, column) = kHeaders[column];
  WriteChannelColumn();
  bank_title_ = BankTitle(0);
  dummy_notice_.clear();
  RenderBank(ws_, ui_);
  ws_.grid.SetCurrent(1, 1);
  editor_.SelectionChanged();
  // No help-bar refresh here: it would set `help_bar_shown`, which only a shown help bar may do.
  wants_last_file_reload_ = ws_.settings.load_last_file;
  ResetHistory(ws_);
}

void MainWindowLogic::LoadPlacement() {
  const auto file = ReadWholeFile(folders_.program / "window.dat", 1u << 16);
  if (!file.bytes) {
    placement_.state = WindowState::kMaximised;
    return;
  }
  placement_ = PlacementFromWindowDat(*file.bytes);
}

void MainWindowLogic::LoadNames() {
  ws_.bank_names = DefaultBankNames();
  if (ws_.settings.remember_tags) LoadBankNames(ws_, folders_.program);
  RefreshBankCaptions();
}

void MainWindowLogic::RefreshBankCaptions(DummyTabCaption dummy) {
  for (int tab = 0; tab <= kDummyBank; ++tab) {
    tab_captions_[tab] = BankTabCaption(ws_.bank_names, tab, dummy);
  }
  for (int slot = 0; slot <= 11; ++slot) {
    view_captions_[slot] = ViewMenuBankCaption(ws_.bank_names, slot);
  }
}

void MainWindowLogic::BlankTable() {
  for (int bank = 0; bank < kBankSlots; ++bank) {
    for (int row = 0; row < kRows; ++row) {
      for (int field = 0; field < kFields; ++field) ws_.table.At(bank, row, field).clear();
    }
  }
}

void MainWindowLogic::WriteChannelColumn() {
  for (int row = 1; row <= kChannelsPerBank; ++row) {
    ws_.grid.Cell(row, 0) = IntText(ws_.current_bank * kChannelsPerBank + row);
  }
}

void MainWindowLogic::SyncTitle() {
  if (ws_.file_name == shown_file_name_) return;
  shown_file_name_ = ws_.file_name;
  title_ = std::string(kApplicationTitle) + " - [ " + ws_.file_name + " ]";
}

std::string MainWindowLogic::title() {
  SyncTitle();
  return std::string(UnsavedChanges(ws_) ? kUnsavedMark : "") + title_;
}

void MainWindowLogic::ShowBank(int tab) {
  RecordStep(ws_, ui_, EditStepName(ws_));  // a bank switch ends the edit of a cell
  SwitchBank(tab);
  SettleShownBank(ws_);
}

void MainWindowLogic::SwitchBank(int tab) {
  ui_.SetBusy(true);
  // Edits typed into the shown bank belong to it; keep them before the grid is cleared.
  CommitBank(ws_, ui_);
  for (int row = 1; row <= kChannelsPerBank; ++row) {
    for (int column = 1; column < kGridColumns; ++column) ws_.grid.Cell(row, column).clear();
  }
  ws_.current_bank = std::clamp(tab, 0, kDummyBank);
  bank_title_ = BankTitle(ws_.current_bank);
  dummy_notice_ = ws_.current_bank == kDummyBank ? std::string(kDummyBankNotice) : std::string();
  WriteChannelColumn();
  editor_.HideControls();
  RenderBank(ws_, ui_);
  ws_.grid.SetCurrent(1, 1);
  editor_.SelectionChanged();
  editor_.RefreshHelpBar();
  const std::string& first = ws_.table.At(ws_.current_bank, 1, kFieldFrequency);
  editor_.EditorBoxTextChanged(NumericValue(first) > 0 ? first : std::string());
  ui_.SetBusy(false);
}

void MainWindowLogic::SetSelection(CellPos current, CellPos selection_end) {
  auto held = [](CellPos p) {
    return CellPos{std::clamp(p.row, 1, kChannelsPerBank), std::clamp(p.column, 1, 7)};
  };
  RecordStep(ws_, ui_, EditStepName(ws_));  // leaving a cell ends its edit
  ws_.grid.current = held(current);
  ws_.grid.selection_end = held(selection_end);
  editor_.SelectionChanged();
}

// A match of Find becomes the current cell, on its bank; the next key starts that cell anew, as
// after a click.
void MainWindowLogic::ShowFound(int bank, int row, int column) {
  if (bank != ws_.current_bank) ShowBank(bank);
  editor_.EndTyping();
  SetSelection({row, column}, {row, column});
}

void MainWindowLogic::SetColumnWidth(int column, int twips) {
  if (column < 1 || column > 7) return;
  column_widths_[column - 1] = std::clamp(twips, kNarrowestColumn, kWidestColumn);
}

GridAlignment MainWindowLogic::alignment() const {
  return IsListedAlignment(ws_.settings.align) ? ws_.settings.align : GridAlignment::kLeft;
}

void MainWindowLogic::Redraw() {
  RenderBank(ws_, ui_);
  editor_.SelectionChanged();
  SyncTitle();
}

void MainWindowLogic::ReloadLastFile() {
  wants_last_file_reload_ = false;
  files_.ReloadLastFile();
  editor_.SelectionChanged();  // the editor box shows the reloaded cell
  RefreshBankCaptions();
  SyncTitle();
  ResetHistory(ws_);  // the reload is part of the start: nothing to undo yet
}

void MainWindowLogic::BackupTick() { files_.BackupTick(); }

bool MainWindowLogic::IsEnabled(CommandId command) const {
  switch (command) {
    // While a cell is typed into, Undo takes the typing back.
    case CommandId::kUndo: return ws_.history.CanUndo() || HasOpenEdit(ws_);
    case CommandId::kRedo: return ws_.history.CanRedo();
    case CommandId::kFillSeries: return editor_.FillSeriesAvailable();
    case CommandId::kShowSearchEdge: return false;
    case CommandId::kRecentFiles: return !ws_.recent_files.paths().empty();
    case CommandId::kImportStockList: return !stock_lists_.empty();
    default: return true;
  }
}

bool MainWindowLogic::IsChecked(CommandId command) const {
  if (command == CommandId::kToolbar) return toolbars_visible_;
  const int slot = ShowBankSlot(command);
  return slot >= 0 && slot == ws_.current_bank;
}

CommandOutcome MainWindowLogic::Run(CommandId command) {
  if (!IsEnabled(command)) return CommandOutcome::kDone;
  if (const int slot = ShowBankSlot(command); slot >= 0) {
    ShowBank(slot);
    return CommandOutcome::kDone;
  }
  if (command == CommandId::kUndo || command == CommandId::kRedo) {
    StepThroughHistory(command == CommandId::kRedo);
    return CommandOutcome::kDone;
  }
  RecordStep(ws_, ui_, EditStepName(ws_));  // an edit still in the grid is a step of its own
  const CommandOutcome outcome = RunEdit(command);
  if (outcome == CommandOutcome::kDone) {
    RecordStep(ws_, ui_, StepName(command));
    editor_.SelectionChanged();
  }
  SyncTitle();  // every change of the file name shows in the title
  return outcome;
}

void MainWindowLogic::StepThroughHistory(bool redo) {
  const auto place = redo ? lines_.Redo() : lines_.Undo();
  if (!place) return;
  editor_.EndTyping();  // the next key starts the cell anew, as after a click
  // Show where the step was: its bank, with the rows it changed selected.
  if (place->bank >= 0 && place->bank <= kDummyBank && place->bank != ws_.current_bank) {
    SwitchBank(place->bank);
    SettleShownBank(ws_);
  }
  if (place->bank >= 0 && place->bank <= kDummyBank) {
    ws_.grid.current = {place->first_row, 1};
    ws_.grid.selection_end = {place->last_row, 7};
  }
  RefreshBankCaptions();
  editor_.SelectionChanged();
  SyncTitle();
}

std::string MainWindowLogic::StepName(CommandId command) const {
  for (const MenuEntry& entry : MenuEntries()) {
    if (entry.command != command || entry.caption.empty()) continue;
    std::string name;
    for (const char c : entry.caption) {
      if (c != '&') name += c;
    }
    while (name.ends_with('.')) name.pop_back();
    return name;
  }
  return EditStepName(ws_);
}

CommandOutcome MainWindowLogic::RunEdit(CommandId command) {
  if (RunTableCommand(command)) return CommandOutcome::kDone;
  if (OpenDialog(command)) return CommandOutcome::kForWindow;
  using C = CommandId;
  switch (command) {
    case C::kNew:
      if (files_.New()) {
        if (ws_.settings.clear_tags_on_new) {
          RefreshBankCaptions();
          for (int slot = 0; slot <= kDummyBank; ++slot) tab_captions_[slot] = ws_.bank_names[slot];
        }
        ws_.status.bank_usage = BankUsageSummary(ws_.table);
      }
      break;
    case C::kOpen:
      files_.Open();
      RefreshBankCaptions();
      break;
    case C::kSave: files_.Save(); break;
    case C::kSaveAs: files_.SaveAs(); break;
    case C::kExit: return CommandOutcome::kCloseWindow;
    case C::kCut: lines_.Cut(); break;
    case C::kCopy: lines_.Copy(); break;
    case C::kPaste: lines_.Paste(); break;
    case C::kDelete: lines_.Delete(); break;
    case C::kCutLines: lines_.CutLines(); break;
    case C::kCopyLines: lines_.CopyLines(); break;
    case C::kPasteLines: lines_.PasteLines(); break;
    case C::kShiftChannelUp: lines_.ShiftChannelUp(); break;
    case C::kShiftChannelDown: lines_.ShiftChannelDown(); break;
    case C::kSelectAll: lines_.SelectAll(); break;
    case C::kClearCurrentBank: lines_.ClearCurrentBank(); break;
    case C::kClearSelectedLines: lines_.ClearSelectedLines(); break;
    case C::kInsertEmptyLine: lines_.InsertEmptyLines(); break;
    case C::kRemoveEmptyLines: lines_.RemoveEmptyLines(); break;
    case C::kRemoveSelectedLines: lines_.RemoveSelectedLines(); break;
    case C::kFillDown: lines_.FillDown(); break;
    case C::kFillSeries: lines_.FillSeries(); break;
    case C::kClearLockouts: lines_.ClearLockouts(); break;
    case C::kCheckData:
      CommitBank(ws_, ui_);
      if (ws_.current_bank <= kDummyBank) RenderBank(ws_, ui_);
      break;
    case C::kToolbar: toolbars_visible_ = !toolbars_visible_; break;
    case C::kHelpContents:
    case C::kHelpSearch:
      if (HelpFile()) return CommandOutcome::kForWindow;  // the window shows the help
      ui_.Tell(MissingDocumentText(folders_.install, kHelpDocument), {}, Icon::kWarning);
      break;
    case C::kUserManual: OpenUserManual(); break;
    case C::kImportChannelList: {
      const auto path = ui_.OpenFile({"Channel Lists (*.csv)|*.csv|All Files|*.*", "", false});
      if (path && OpenChannelList(*path)) return CommandOutcome::kForWindow;
      break;
    }
    case C::kKeyboardShortcuts: ui_.Tell(KeyboardShortcutText()); break;
    case C::kPopupHint:
      ui_.Tell("Use right mouse button click in grid to show the popup menu");
      break;
    case C::kNone:
    case C::kRecentFiles:
    case C::kImportStockList:
    case C::kPasteLineSpecial:
    case C::kClearPskips:
    case C::kResetTableWidth: break;
    default: return CommandOutcome::kForWindow;
  }
  return CommandOutcome::kDone;
}

bool MainWindowLogic::OpenChannelList(const std::string& path) {
  // A file dropped on the window comes here without `Run`: a cell still being typed is a step of
  // its own, not part of the import. The first channel offered is the first empty one.
  RecordStep(ws_, ui_, EditStepName(ws_));
  history_at_dialog_ = ws_.history.position();
  CommitBank(ws_, ui_);
  return dialogs_.channel_list.Open(path, ws_, ui_);
}

void MainWindowLogic::OpenChannelFile(const std::string& path) {
  RunAsCommand([&] { files_.OpenPath(path); });
}

std::vector<std::string> MainWindowLogic::ListedItems(CommandId command) const {
  std::vector<std::string> items;
  if (command == CommandId::kRecentFiles) {
    const auto& paths = ws_.recent_files.paths();
    for (std::size_t i = 0; i < paths.size(); ++i) items.push_back(RecentFileCaption(i, paths[i]));
  }
  if (command == CommandId::kImportStockList) {
    for (const StockList& list : stock_lists_) {
      std::string caption;  // an "&" in a title is a character, not an access key
      for (const char c : list.title) caption += c == '&' ? "&&" : std::string(1, c);
      items.push_back(caption);
    }
  }
  return items;
}

CommandOutcome MainWindowLogic::RunListed(CommandId command, std::size_t index) {
  if (command == CommandId::kRecentFiles) RunAsCommand([&] { files_.OpenRecent(index); });
  // A stock list opens the import dialog as a list file does; the import, if the user goes on,
  // is one step named after this command.
  if (command == CommandId::kImportStockList && index < stock_lists_.size() &&
      OpenChannelList(stock_lists_[index].path.string())) {
    return CommandOutcome::kForWindow;
  }
  return CommandOutcome::kDone;
}

void MainWindowLogic::RunAsCommand(const std::function<void()>& work) {
  RecordStep(ws_, ui_, EditStepName(ws_));
  work();
  RefreshBankCaptions();
  editor_.SelectionChanged();
  SyncTitle();
}

std::optional<std::filesystem::path> MainWindowLogic::HelpFile() const {
  return FindDocument(folders_.install, kHelpDocument);
}

void MainWindowLogic::OpenUserManual() {
  const auto manual = FindDocument(folders_.install, kUserManualDocument);
  if (!manual) {
    ui_.Tell(MissingDocumentText(folders_.install, kUserManualDocument), {}, Icon::kWarning);
  } else if (!ui_.OpenDocument(manual->string())) {
    ui_.Tell("No program was found to show the user manual:\r\n" + manual->string(), {},
             Icon::kWarning);
  }
}

std::filesystem::path MainWindowLogic::ReportFolder() const {
  if (!report_folder_.empty()) return report_folder_;
  std::error_code error;
  std::filesystem::path current = std::filesystem::current_path(error);
  return error ? folders_.program : current;
}

bool MainWindowLogic::RunTableCommand(CommandId command) {
  using C = CommandId;
  switch (command) {
    case C::kSortAscending: SortBank(ws_, ui_, SortOrder::kAscending); break;
    case C::kSortDescending: SortBank(ws_, ui_, SortOrder::kDescending); break;
    case C::kDuplicatesInBank:
      FindDuplicates(ws_, ui_, DuplicateSearch::kCurrentBank, ReportFolder());
      break;
    case C::kDuplicatesInAllBanks:
      FindDuplicates(ws_, ui_, DuplicateSearch::kAllBanks, ReportFolder());
      break;
    case C::kDuplicatesWithSubtone:
      FindDuplicates(ws_, ui_, DuplicateSearch::kWithSubtone, ReportFolder());
      break;
    case C::kRemoveDuplicates: RemoveDuplicates(ws_, ui_); break;
    case C::kCenterTags: CenterTags(ws_, ui_); break;
    case C::kRemoveLeadingSpaces: RemoveLeadingSpaces(ws_, ui_); break;
    case C::kBankEmptyStatus: ShowBankEmptyStatus(ws_, ui_); break;
    default: return false;
  }
  return true;
}

bool MainWindowLogic::OpenDialog(CommandId command) {
  history_at_dialog_ = ws_.history.position();
  using C = CommandId;
  switch (command) {
    case C::kMemoryChannels:
      TakeSnapshot(ws_, ui_);
      manager_mode_ = kChannelManagerMode;
      dialogs_.memory_manager.Open(ws_, ManagerMode::kChannels);
      break;
    case C::kMemoryBanks:
      manager_mode_ = kBankManagerMode;
      TakeSnapshot(ws_, ui_);
      dialogs_.memory_manager.Open(ws_, ManagerMode::kBanks);
      break;
    case C::kFind:
      CommitBank(ws_, ui_);
      dialogs_.find.Open(ws_,
                         [this](int bank, int row, int column) { ShowFound(bank, row, column); });
      break;
    case C::kReplace:
      TakeSnapshot(ws_, ui_);
      dialogs_.replace.Open(ws_);
      break;
    case C::kEasyFill:
      TakeSnapshot(ws_, ui_);
      dialogs_.easy_fill.Open(ws_);
      break;
    // The grid may hold cells typed since the last commit; these dialogs and the redraws after
    // them work on the table, so the typed cells go there first (the commands above snapshot).
    case C::kPriorityChannels:
      CommitBank(ws_, ui_);
      dialogs_.priority.Load(ws_);
      break;
    case C::kScannerOptions:
      CommitBank(ws_, ui_);
      dialogs_.scanner_options.Load(ws_);
      break;
    case C::kBankTags:
      CommitBank(ws_, ui_);
      dialogs_.bank_names.Load(ws_);
      break;
    case C::kSoftwareOptions:
      CommitBank(ws_, ui_);
      dialogs_.software_options.Load(ws_.settings);
      break;
    case C::kDefaultData:
      CommitBank(ws_, ui_);
      dialogs_.default_data.Load(ws_.default_data);
      break;
    case C::kExportCsv:
      CommitBank(ws_, ui_);
      dialogs_.csv_export.Open();
      break;
    case C::kExportChannelList:
      CommitBank(ws_, ui_);
      dialogs_.csv_export.Open(ExportLayout::kChannelList);
      break;
    case C::kPrint:
      CommitBank(ws_, ui_);
      dialogs_.print.Open();
      break;
    default: return false;
  }
  return true;
}

void MainWindowLogic::DialogClosed(CommandId command, DialogResult result) {
  const bool confirmed = result == DialogResult::kConfirmed;
  using C = CommandId;
  switch (command) {
    case C::kMemoryChannels:
    case C::kMemoryBanks: CloseMemoryManager(result); break;
    case C::kFind: break;
    case C::kReplace: Redraw(); break;
    case C::kEasyFill:
      if (confirmed) dialogs_.easy_fill.Ok(ws_);
      Redraw();
      break;
    case C::kPriorityChannels:
      if (confirmed) dialogs_.priority.Close(ws_);
      break;
    case C::kScannerOptions:
      if (confirmed) dialogs_.scanner_options.Ok(ws_);
      break;
    case C::kBankTags:
      if (confirmed) dialogs_.bank_names.Ok(ws_);
      RefreshBankCaptions(DummyTabCaption::kPrefixed);
      break;
    case C::kSoftwareOptions: {
      if (!confirmed) break;
      const bool had_easy_tags = ws_.settings.easy_tag_lists;
      dialogs_.software_options.Ok(ws_.settings);
      // Tags are recorded only while the lists are on: switched on, they start from every tag the
      // banks already hold rather than waiting for each bank to be shown again.
      if (!had_easy_tags && ws_.settings.easy_tag_lists) RecordTagsOf(ws_.tags, ws_.table);
      Redraw();  // the window re-reads `alignment()` with it
      break;
    }
    case C::kDefaultData:
      if (confirmed) dialogs_.default_data.Ok(ws_.default_data);
      break;
    case C::kImportChannelList:
    case C::kImportStockList:
      if (confirmed) dialogs_.channel_list.Ok(ws_, ui_);
      Redraw();
      break;
    case C::kExportCsv:
    case C::kExportChannelList:
    case C::kPrint: break;  // their buttons wrote the file or printed while the dialog was open
    default: return;
  }
  // The dialog wrote the table and the grid shows it again (its Apply buttons may have kept
  // steps already).
  RecordStep(ws_, ui_, StepName(command));
  if (ws_.history.position() != history_at_dialog_) {
    ui_.SetStatus("Undo: " + std::string(ws_.history.UndoName()));
  }
  SyncTitle();
}

void MainWindowLogic::CloseMemoryManager(DialogResult result) {
  MemoryManagerForm& form = dialogs_.memory_manager;
  if (result == DialogResult::kConfirmed) form.Ok();
  if (form.mode() == ManagerMode::kBanks) RefreshBankCaptions(DummyTabCaption::kNameOnly);
  manager_mode_ = kChannelManagerMode;
  Redraw();
}

bool MainWindowLogic::RequestExit() {
  if (ws_.settings.skip_exit_question == 0 &&
      ui_.Ask({"Exit TALVIREX?", "Exit", Buttons::kOkCancel, Icon::kQuestion}) != Answer::kOk) {
    return false;
  }
  if (UnsavedChanges(ws_)) {
    const Answer answer =
        ui_.Ask({"Save data?", "Warning", Buttons::kYesNoCancel, Icon::kCritical});
    if (answer == Answer::kCancel) return false;
    // A save the user asked for but that did not happen (dialog cancelled, write failed) keeps
    // the window open rather than closing over the edits.
    const bool saved = answer == Answer::kYes && files_.Save();
    SyncTitle();
    if (answer == Answer::kYes && !saved) return false;
  }
  ui_.SetBusy(true);
  files_.WriteExitCopy();
  files_.WriteLastFileNote();
  ui_.SetBusy(false);
  WriteExitFiles();
  return true;
}

void MainWindowLogic::WriteExitFiles() {
  const std::filesystem::path& folder = folders_.program;
  SaveBankNames(ws_, folder);
  SaveSettingsFiles(ws_, folder);  // "setup.ini", then "defdata.ini"
  if (ws_.settings.save_window_placement) {
    WriteFileAtomically(folder / "window.dat", WindowDatText(placement_));
  }
  WriteFileAtomically(folder / "tabw200.ini", TabWidthsText(column_widths_));
}

}  // namespace talvirex
