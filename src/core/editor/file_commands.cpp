// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/file_commands.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "editor/grid_bridge.h"
#include "editor/history.h"
#include "editor/tag_lists.h"
#include "files/channel_file.h"
#include "files/file_io.h"
#include "files/item_reader.h"
#include "model/frequency.h"
#include "ports/clock.h"
#include "ports/ui.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex {

namespace {

constexpr std::string_view kSaveQuestion =
    "This will clear your table.\r\nIf not saved, data is lost!\r\nSave data?";
constexpr std::string_view kExitCopyName = "lastused.sav";
constexpr std::string_view kLastFileName = "lastfile.ini";

bool HasChannelFileExtension(const std::string& path) {
  return Contains(path, ".S2C") || Contains(path, ".s2c");
}

std::string TwoDigits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

}  // namespace

FileCommands::FileCommands(Workspace& workspace, Ui& ui, const Clock& clock,
                           std::filesystem::path program_folder)
    : ws_(workspace), ui_(ui), clock_(clock), folder_(std::move(program_folder)) {}

bool FileCommands::OfferToSave() {
  if (!UnsavedChanges(ws_)) return true;
  const Answer answer =
      ui_.Ask({std::string(kSaveQuestion), "Warning", Buttons::kYesNoCancel, Icon::kCritical});
  if (answer == Answer::kCancel) return false;
  // A save that did not write (cancelled dialog, failed write) must not be followed by the
  // command that discards the table.
  if (answer == Answer::kYes) return Save();
  return true;
}

bool FileCommands::New() {
  if (!OfferToSave()) return false;
  const std::string previous_file_name = ws_.file_name;
  // Row 0 holds the column captions; only the channel rows are blanked.
  for (int row = 1; row < kGridRows; ++row) {
    for (int column = 1; column < kGridColumns; ++column) ws_.grid.Cell(row, column).clear();
  }
  ws_.grid.SetCurrent(1, 1);
  ws_.tags.Clear();
  for (int bank = 0; bank <= 11; ++bank) {
    for (int row = 0; row <= kChannelsPerBank; ++row) {
      ws_.table.At(bank, row, kFieldSpare).clear();
      ws_.table.At(bank, row, kFieldFrequency) = "0";
      for (int field = kFieldTag; field <= kFieldAtt; ++field) ws_.table.At(bank, row, field) = " ";
    }
  }
  for (auto& text : ws_.search_range) text.clear();
  for (int b = 0; b < kScannerBanks; ++b) ws_.priority[b] = 0;
  ws_.scanner_settings.fill(0);
  for (int i = 0; i < kScannerBanks; ++i) ws_.scanner_settings[i] = 1;
  ws_.lkm.fill(0);
  ws_.lks.fill(0);
  ws_.file_name = kUntitled;
  if (ws_.settings.clear_tags_on_new) {
    for (int b = 0; b < kScannerBanks; ++b) ws_.bank_names[b] = "Bank " + IntText(b + 1);
    ws_.bank_names[10] = "Dummy";
    ws_.bank_names[11] = "Search";
  }
  RecordReplacement(ws_, ui_, "New", previous_file_name);
  return true;
}

void FileCommands::Open() {
  if (!OfferToSave()) return;
  const auto path = ui_.OpenFile({"TALVIR Files|*.s2c|All Files|*.*", "", false});
  if (!path || !HasChannelFileExtension(*path)) return;
  LoadAsStep(*path);
}

bool FileCommands::OpenPath(const std::string& path) {
  if (!OfferToSave()) return false;
  LoadAsStep(path);
  return true;
}

void FileCommands::OpenRecent(std::size_t index) {
  const auto& paths = ws_.recent_files.paths();
  if (index >= paths.size()) return;
  const std::string path = paths[index];
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    ws_.recent_files.Forget(path);
    ws_.recent_files.Save(folder_);
    ui_.Tell(
        "The file was not found:\r\n" + path + "\r\nIt is removed from the list of recent files.",
        {}, Icon::kWarning);
    return;
  }
  OpenPath(path);
}

void FileCommands::LoadAsStep(const std::string& path) {
  const std::string previous_file_name = ws_.file_name;
  // Even a file read only in part has replaced the document: Undo brings the previous one back.
  if (Load(path).read) RecordReplacement(ws_, ui_, "Open", previous_file_name);
}

void FileCommands::NoteRecent(const std::string& path) {
  ws_.recent_files.Note(path);
  ws_.recent_files.Save(folder_);
}

bool FileCommands::LoadChannelFile(const std::string& path) { return !Load(path).failure; }

ChannelFileLoad FileCommands::Load(const std::string& path) {
  const ChannelFileLoad load = talvirex::LoadChannelFile(path, ws_, ui_);
  if (load.failure && load.failure->code == kErrorFileNotFound) ws_.settings.load_last_file = false;
  // A file that gave nothing leaves the document as it was, its tag lists included.
  if (!load.read) return load;
  // Only a file that came in whole is worth offering again; one that failed is "Untitled" now.
  if (!load.failure) NoteRecent(path);
  RecordTableTags(ws_.tags, ws_.table, ws_.settings.easy_tag_lists);
  RenderBank(ws_, ui_);
  return load;
}

std::string FileCommands::SaveAsDialog() {
  const auto chosen = ui_.SaveFile({"TALVIR files|*.s2c", "", true});
  // Cancelling changes nothing: the document keeps its name and stays as it was.
  if (!chosen) return {};
  std::string path = *chosen;
  if (!HasChannelFileExtension(path)) path += ".s2c";
  return path;
}

bool FileCommands::WriteAndReport(const std::string& path) {
  if (path.empty()) return false;
  // The table is cleaned as a save writes it only when a save happens.
  CommitBank(ws_, ui_);
  NormalizeForSave(ws_.table);
  if (const auto error = WriteChannelFile(ws_, path)) {
    ui_.Ask({"The file could not be saved:\r\n" + path + "\r\n" + error->reason +
                 "\r\nYour changes are not saved.",
             "Warning", Buttons::kOk, Icon::kCritical});
    return false;
  }
  // The table takes the new name only once it is really there, so the next Save does not aim
  // at a path that just failed.
  ws_.file_name = path;
  NoteRecent(path);
  // The clean-up changed the texts' form only: nothing to undo, and the grid's texts are kept.
  SettleShownBank(ws_);
  DocumentSaved(ws_);
  return true;
}

bool FileCommands::Save() {
  return WriteAndReport(IsUntitled(ws_) ? SaveAsDialog() : ws_.file_name);
}

bool FileCommands::SaveAs() { return WriteAndReport(SaveAsDialog()); }

void FileCommands::WriteExitCopy() {
  CommitBank(ws_, ui_);
  NormalizeForSave(ws_.table);
  WriteChannelFile(ws_, (folder_ / kExitCopyName).string());
}

void FileCommands::WriteLastFileNote() {
  if (!ws_.settings.load_last_file || IsUntitled(ws_)) return;
  WriteFileAtomically(folder_ / kLastFileName, ws_.file_name + "\r\n");
}

void FileCommands::ReloadLastFile() {
  if (!ws_.settings.load_last_file) return;
  const auto file = ReadWholeFile(folder_ / kLastFileName, 1u << 20);
  if (!file.bytes) return;
  // The note holds one path a line; read the line whole so that a path with a comma survives.
  ItemReader reader(*file.bytes);
  std::string path(TrimBlanks(reader.ReadLine().value_or("")));
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
    path = path.substr(1, path.size() - 2);
  if (!path.empty()) LoadChannelFile(path);
}

std::string FileCommands::BackupFileName() const {
  const LocalTime now = clock_.Now();
  std::string name = TwoDigits(now.month) + "-" + TwoDigits(now.day) + "-" + IntText(now.year) +
                     "_" + TwoDigits(now.hour) + ":" + TwoDigits(now.minute) + ":" +
                     TwoDigits(now.second) + "sc200membackup.mem";
  for (char& c : name) {
    if (c == ':' || c == '/' || c == '\\') c = '_';
  }
  return name;
}

void FileCommands::BackupTick() {
  if (ws_.settings.periodic_backup == 0) return;
  ++ws_.backup_ticks;
  const std::string name = BackupFileName();
  const auto backup_folder = folder_ / "backup";
  std::error_code ignored;
  std::filesystem::create_directories(backup_folder, ignored);
  if (ws_.backup_ticks < ws_.settings.backupdelay) return;
  CommitBank(ws_, ui_);
  // A backup is a safety copy, not the user's document: unsaved changes stay unsaved.
  WriteChannelFile(ws_, (backup_folder / name).string());
  ws_.backup_ticks = 0;
}

}  // namespace talvirex
