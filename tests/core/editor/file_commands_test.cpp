#include "editor/file_commands.h"

#include <gtest/gtest.h>

#include "files/channel_file.h"
#include "support/fake_ports.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::FakeClock;
using testing::ReadBytes;
using testing::ScriptedUi;
using testing::TempDir;
using testing::WriteBytes;

class FileCommandsTest : public ::testing::Test {
 protected:
  // Types a frequency into Bank 1 row 1 as the grid would show it.
  void EditBank1() {
    ws.grid.Cell(1, 1) = "145.5000";
    ws.grid.Cell(1, 2) = "Tower";
    ws.unsaved_changes = true;
  }
  std::string PathOf(const std::string& name) { return (dir / name).string(); }

  TempDir dir;
  Workspace ws;
  ScriptedUi ui;
  FakeClock clock;
  FileCommands files{ws, ui, clock, dir.path()};
};

TEST_F(FileCommandsTest, SaveAsAddsTheExtensionAndSaveThenWritesToTheSameFile) {
  EditBank1();
  ui.save_paths.push_back(PathOf("mine.S2c"));
  ASSERT_TRUE(files.Save());
  EXPECT_EQ(ws.file_name, PathOf("mine.S2c.s2c"));
  EXPECT_FALSE(ws.unsaved_changes);
  ASSERT_EQ(ui.save_dialogs.size(), 1u);
  EXPECT_EQ(ui.save_dialogs[0].filter, "TALVIR files|*.s2c");
  EXPECT_TRUE(ui.save_dialogs[0].confirm_overwrite);

  ws.grid.Cell(1, 2) = "Ground";
  ASSERT_TRUE(files.Save());
  EXPECT_EQ(ui.save_dialogs.size(), 1u);  // no second dialog
  EXPECT_NE(ReadBytes(ws.file_name).find("1,\"145.5000\",\"Ground\""), std::string::npos);
}

TEST_F(FileCommandsTest, CancellingSaveAsOnANamedTableMakesItUntitledAndWritesNothing) {
  ws.file_name = PathOf("named.s2c");
  ui.save_paths.push_back(std::nullopt);
  EXPECT_FALSE(files.SaveAs());
  EXPECT_EQ(ws.file_name, "Untitled");
  EXPECT_FALSE(std::filesystem::exists(dir / "named.s2c"));
}

TEST_F(FileCommandsTest, AFailedSaveAsSaysSoKeepsTheOldNameAndTheChangesUnsaved) {
  EditBank1();
  const std::string old_name = PathOf("bank.s2c");
  const std::string path = PathOf("missing-folder/bank.s2c");
  ws.file_name = old_name;
  ui.save_paths.push_back(path);
  EXPECT_FALSE(files.SaveAs());
  EXPECT_EQ(ws.file_name, old_name);
  EXPECT_TRUE(ws.unsaved_changes);
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_NE(ui.shown[0].text.find(path), std::string::npos);
  EXPECT_NE(ui.shown[0].text.find("No such file or directory"), std::string::npos);
}

TEST_F(FileCommandsTest, NewAsksBeforeClearingAndCancelKeepsEverything) {
  ws.table.At(0, 1, kFieldFrequency) = "145.5000";
  ws.table.At(9, 20, kFieldAtt) = "1";
  ws.unsaved_changes = true;
  ui.answers.push_back(Answer::kCancel);
  files.New();
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text,
            "This will clear your table.\r\nIf not saved, data is lost!\r\nSave data?");
  EXPECT_EQ(ui.shown[0].title, "Warning");
  EXPECT_EQ(ui.shown[0].buttons, Buttons::kYesNoCancel);
  EXPECT_EQ(ws.table.At(0, 1, kFieldFrequency), "145.5000");

  ui.answers.push_back(Answer::kNo);
  files.New();
  EXPECT_EQ(ws.table.At(0, 1, kFieldFrequency), "0");
  EXPECT_EQ(ws.table.At(0, 1, kFieldTag), " ");
  EXPECT_EQ(ws.table.At(9, 20, kFieldAtt), " ");  // the last field of the last channel too
  EXPECT_EQ(ws.priority[3], 0);
  EXPECT_EQ(ws.scanner_settings[9], 1);
  EXPECT_EQ(ws.scanner_settings[10], 0);
  EXPECT_FALSE(ws.unsaved_changes);
  EXPECT_EQ(ws.bank_names[0], "Bank: 1");  // cleartag 0 keeps the names
}

TEST_F(FileCommandsTest, NewDoesNotDiscardTheTableWhenTheOfferedSaveDidNotWrite) {
  EditBank1();
  ui.answers.push_back(Answer::kYes);
  ui.save_paths.push_back(std::nullopt);  // the user cancels the save dialog
  files.New();
  EXPECT_EQ(ws.grid.Cell(1, 1), "145.5000");
  EXPECT_TRUE(ws.unsaved_changes);
}

TEST_F(FileCommandsTest, OpenLoadsOnlyChannelFilesAndRedrawsTheGrid) {
  Workspace other;
  other.table.At(0, 1, kFieldFrequency) = "162.5500";
  other.table.At(0, 1, kFieldTag) = "Weather";
  WriteBytes(dir / "a.S2C", ChannelFileBytes(other));
  WriteBytes(dir / "a.txt", ChannelFileBytes(other));

  ui.open_paths.push_back(PathOf("a.txt"));
  files.Open();
  EXPECT_EQ(ws.file_name, "Untitled");

  ui.open_paths.push_back(PathOf("a.S2C"));
  files.Open();
  EXPECT_EQ(ui.open_dialogs[0].filter, "TALVIR Files|*.s2c|All Files|*.*");
  EXPECT_EQ(ws.file_name, PathOf("a.S2C"));
  EXPECT_EQ(ws.grid.Cell(1, 1), "162.5500");
  EXPECT_EQ(ws.grid.Cell(1, 2), "Weather");
  EXPECT_EQ(ws.grid.Cell(2, 1), "");
}

TEST_F(FileCommandsTest, LoadFailuresShowTheMessageAndLeaveTheTableConsistent) {
  ws.settings.load_last_file = true;
  ws.file_name = "before.s2c";
  EXPECT_FALSE(files.LoadChannelFile(PathOf("gone.s2c")));
  EXPECT_EQ(ui.Texts().back(), "Not a valid file! Line:  /  /  Error: 53");
  EXPECT_EQ(ws.file_name, "Untitled");
  EXPECT_FALSE(ws.settings.load_last_file);

  std::filesystem::create_directories(dir / "folder.s2c");
  EXPECT_FALSE(files.LoadChannelFile(PathOf("folder.s2c")));
  EXPECT_EQ(ui.Texts().back(), "Not a valid file! Line:  /  /  Error: 75");

  ws.file_name = "kept.s2c";
  WriteBytes(dir / "junk.s2c", "no magic here");
  EXPECT_FALSE(files.LoadChannelFile(PathOf("junk.s2c")));
  EXPECT_EQ(ui.Texts().back(), "File is not compatible.");
  EXPECT_EQ(ws.file_name, "kept.s2c");
}

TEST_F(FileCommandsTest, ExitCopyAndLastFileNoteReloadTheFileAtTheNextStart) {
  ws.settings.load_last_file = true;
  EditBank1();
  files.WriteLastFileNote();  // none for an untitled table
  EXPECT_FALSE(std::filesystem::exists(dir / "lastfile.ini"));
  ui.save_paths.push_back(PathOf("week, 12.s2c"));  // a comma in the path survives the note
  ASSERT_TRUE(files.Save());
  files.WriteExitCopy();
  files.WriteLastFileNote();
  EXPECT_EQ(ReadBytes(dir / "lastfile.ini"), PathOf("week, 12.s2c") + "\r\n");
  EXPECT_EQ(ReadBytes(dir / "lastused.sav"), ReadBytes(dir / "week, 12.s2c"));

  Workspace next;
  next.settings.load_last_file = true;
  ScriptedUi next_ui;
  FileCommands next_files(next, next_ui, clock, dir.path());
  next_files.ReloadLastFile();
  EXPECT_EQ(next.file_name, PathOf("week, 12.s2c"));
  EXPECT_EQ(next.grid.Cell(1, 2), "Tower");
  EXPECT_TRUE(next_ui.shown.empty());
}

TEST_F(FileCommandsTest, BackupIsWrittenEveryBackupDelayTicksAndLeavesChangesUnsaved) {
  ws.settings.backupdelay = 15;
  EditBank1();
  const auto backup = dir / "backup" / "12-05-2026_16_50_00sc200membackup.mem";
  for (int tick = 1; tick < 15; ++tick) files.BackupTick();
  EXPECT_TRUE(std::filesystem::is_directory(dir / "backup"));
  EXPECT_FALSE(std::filesystem::exists(backup));
  files.BackupTick();
  ASSERT_TRUE(std::filesystem::exists(backup));
  EXPECT_NE(ReadBytes(backup).find("1,\"145.5000\",\"Tower\""), std::string::npos);
  EXPECT_EQ(ws.backup_ticks, 0);
  EXPECT_TRUE(ws.unsaved_changes);

  ws.settings.periodic_backup = 0;
  files.BackupTick();
  EXPECT_EQ(ws.backup_ticks, 0);
}

}  // namespace
}  // namespace talvirex
