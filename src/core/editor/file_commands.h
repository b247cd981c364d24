// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The File menu's commands (New, Open, Save, Save As) and the files the program writes by itself:
// the exit copy "lastused.sav", the last-file note "lastfile.ini" with its reload at start-up, and
// the periodic backup into the program folder's "backup" folder.

#include <filesystem>
#include <optional>
#include <string>

#include "files/channel_file.h"

namespace talvirex {

struct Workspace;
class Ui;
class Clock;

class FileCommands {
 public:
  FileCommands(Workspace& workspace, Ui& ui, const Clock& clock,
               std::filesystem::path program_folder);

  /// `menunew` "&New": after the "Save data?" question, blanks the tables and names "Untitled",
  /// as one undo step. False when the user stopped it (nothing changed).
  bool New();
  /// `tabopen` "&Open": after the "Save data?" question, loads the chosen ".s2c" file as one undo
  /// step (a file that gives nothing changes nothing).
  void Open();
  /// Opens the channel file at `path` as Open does, without its dialog: a file handed over by a
  /// second start, dropped on the window or chosen from the recent files. False when the user
  /// stopped it at the "Save data?" question.
  bool OpenPath(const std::string& path);
  /// Recent file `index` (0 the newest): opened as OpenPath does; a file that is gone is
  /// removed from the list, with a message.
  void OpenRecent(std::size_t index);
  /// `savenu` "&Save": writes to the file name, or asks for one. True when the file was written.
  /// The table is cleaned as a save writes it (`NormalizeForSave`) only when the file is written.
  bool Save();
  /// `tabsaveas` "Save &As". True when the file was written; cancelled, nothing changes.
  bool SaveAs();

  /// Replaces the tables from the file at `path`, reporting failures by message; redraws the grid.
  /// True when the whole file was read. A file that could not be read at all changes nothing.
  bool LoadChannelFile(const std::string& path);

  /// The save dialog: the chosen path with ".s2c" made sure of, or "" when cancelled (nothing
  /// else changes then).
  std::string SaveAsDialog();

  /// At exit: the tables into "lastused.sav", silently.
  void WriteExitCopy();
  /// At exit, after the exit copy: the file name into "lastfile.ini" when `load_last_file`.
  void WriteLastFileNote();
  /// At start-up, 200 ms after the window loaded, when `load_last_file`: reloads the noted file.
  void ReloadLastFile();
  /// The backup timer's minute tick.
  void BackupTick();

  /// "12-05-2026_16_50_00sc200membackup.mem" for the clock's present time.
  std::string BackupFileName() const;

 private:
  /// Asks "Save data?" when there are unsaved changes. False when the command must stop.
  bool OfferToSave();
  /// Cleans the table and writes it to `path` ("" does nothing); on success `path` becomes the
  /// file name and what that file holds, a failure is reported naming the file and the reason
  /// and leaves the file name as it was.
  bool WriteAndReport(const std::string& path);
  ChannelFileLoad Load(const std::string& path);
  /// Loads `path` as one undo step named "Open".
  void LoadAsStep(const std::string& path);
  void NoteRecent(const std::string& path);

  Workspace& ws_;
  Ui& ui_;
  const Clock& clock_;
  std::filesystem::path folder_;
};

}  // namespace talvirex
