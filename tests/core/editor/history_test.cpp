// SPDX-License-Identifier: GPL-3.0-or-later
// The document as a user meets it over an afternoon: random runs of typing, line commands, bank
// switches, Undo and Redo, Save and Save As (done and cancelled), Open, New, and reads from the
// scanner that complete, are stopped or fail, over channel files in a scratch folder, driven as
// the desktop window drives the main window's logic. A small model of its own keeps what each file
// holds, which file the document belongs to and what each undo step takes back, and after every
// action the test checks that
//  - every file holds exactly what was last saved into it, under its own name;
//  - the window names the file the table belongs to, or "Untitled";
//  - the unsaved flag (and the title's mark) is set exactly when the table's data differs from
//    what that file holds (for "Untitled": from what the document held when it was made);
//  - Undo and Redo give back the data each step had.

#include "editor/history.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "editor/clone_commands.h"
#include "editor/grid_bridge.h"
#include "editor/main_window.h"
#include "files/channel_file.h"
#include "image/decoders.h"
#include "image/encoders.h"
#include "support/fake_ports.h"
#include "support/golden.h"
#include "support/temp_dir.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

// What the model knows of the document in the window.
struct ModelDocument {
  std::string name;  // the file it belongs to, or "Untitled"
  std::string data;  // its data as the user sees it, the Dummy bank included
  std::string made;  // "Untitled" only: the file data it held when it was made
};

// One undo step: an edit changes the data; New, Open and a read replace the whole document.
struct ModelStep {
  bool replaced = false;
  ModelDocument before, after;
};

class DocumentModel {
 public:
  DocumentModel() {
    ws.settings.expert = 1;  // no "Are you sure?"
    window.Startup();
    doc_ = {std::string(kUntitled), Data(true), Data(false)};
    Document scanner;  // what the scanner holds: a few channels of its own
    for (int row = 1; row <= 5; ++row) {
      scanner.table.At(2, row, kFieldFrequency) = IntText(150 + row) + ".5000";
      scanner.table.At(2, row, kFieldTag) = "SCAN" + IntText(row);
    }
    create_senddata(scanner);
    scanner_image_ = scanner.clone_image;
  }

  // The data of the document as the user sees it (the grid's typed cells included).
  std::string Data(bool with_dummy) const {
    ChannelTable shown = ws.table;
    for (int row = 1; row <= kChannelsPerBank; ++row) StoreGridRow(ws, row, shown);
    return DataText(shown, ws, with_dummy);
  }
  std::string Path(int which) const {
    return (folder.path() / (std::string(1, static_cast<char>('a' + which)) + ".s2c")).string();
  }

  void Act(std::mt19937& pick);
  void Check();

 private:
  static int Pick(std::mt19937& pick, int count) { return static_cast<int>(pick() % count); }
  std::optional<std::string> PathOrCancel(std::mt19937& pick) const;
  // Types `text` into a cell and ends the edit with Enter, as a user does.
  void Type(int row, int column, const std::string& text) {
    window.SetSelection({row, column}, {row, column});
    for (const char c : text) window.editor().TypeChar(static_cast<unsigned char>(c));
    window.editor().TypeChar(kKeyEnter);
  }
  void Edit(const std::function<void()>& act);
  void Replaced(const std::string& name, const std::string& made);
  void StepThroughHistory(bool redo);
  void Saved(const std::string& path) {
    disk_[path] = Data(false);
    doc_.name = path;
  }
  // The answers to a save the command asks for; false when it did not save.
  bool AnswerSave(std::mt19937& pick);
  // The "Save data?" question of New, Open and a read, when it comes; false when the command
  // stops there. The answers are queued, and the model told of the save they bring, before the
  // command runs.
  bool AnswerSaveQuestion(std::mt19937& pick);
  bool Unsaved() const {
    return Data(false) != (doc_.name == kUntitled ? doc_.made : disk_.at(doc_.name));
  }
  void Read(std::mt19937& pick);

  TempDir folder;
  Workspace ws;
  ScriptedUi ui;
  FakeClipboard clipboard;
  FakeClock clock;
  MainWindowLogic window{ws, ui, clipboard, clock, {folder.path(), folder.path()}};

  ModelDocument doc_;
  std::vector<ModelStep> undo_, redo_;
  std::map<std::string, std::string> disk_;  // path -> the file data last saved there
  CloneImage scanner_image_;
};

void DocumentModel::Edit(const std::function<void()>& act) {
  const ModelDocument before = doc_;
  act();
  doc_.data = Data(true);
  if (doc_.data == before.data) return;
  undo_.push_back({false, before, doc_});
  redo_.clear();
}

void DocumentModel::Replaced(const std::string& name, const std::string& made) {
  const ModelDocument before = doc_;
  doc_ = {name, Data(true), made};
  // The same document again (New on a new one, Open of the file already open) is no step.
  const bool same_file =
      doc_.name == before.name && (doc_.name != kUntitled || doc_.made == before.made);
  if (same_file && doc_.data == before.data) return;
  undo_.push_back({true, before, doc_});
  redo_.clear();
}

void DocumentModel::StepThroughHistory(bool redo) {
  window.Run(redo ? CommandId::kRedo : CommandId::kUndo);
  auto& from = redo ? redo_ : undo_;
  auto& to = redo ? undo_ : redo_;
  if (from.empty()) return;
  const ModelStep step = from.back();
  from.pop_back();
  to.push_back(step);
  const ModelDocument& back = redo ? step.after : step.before;
  doc_.data = back.data;
  if (step.replaced) doc_ = back;  // the name and the file it belongs to come back with the table
}

std::optional<std::string> DocumentModel::PathOrCancel(std::mt19937& pick) const {
  const int choice = Pick(pick, 4);  // a, b, c, or Cancel
  return choice == 3 ? std::nullopt : std::optional(Path(choice));
}

bool DocumentModel::AnswerSave(std::mt19937& pick) {
  const auto path = doc_.name != kUntitled ? std::optional(doc_.name) : PathOrCancel(pick);
  if (doc_.name == kUntitled) ui.save_paths.push_back(path);
  if (path) Saved(*path);
  return path.has_value();
}

bool DocumentModel::AnswerSaveQuestion(std::mt19937& pick) {
  if (!Unsaved()) return true;
  const int answer = Pick(pick, 3);
  ui.answers.push_back(answer == 0 ? Answer::kYes : answer == 1 ? Answer::kNo : Answer::kCancel);
  if (answer == 2) return false;
  return answer == 1 || AnswerSave(pick);
}

void DocumentModel::Read(std::mt19937& pick) {
  const int how = Pick(pick, 3);            // completes, is stopped, fails half-way
  window.Run(CommandId::kReadFromScanner);  // the edit in the grid is closed first
  const bool asked = Unsaved();
  const std::size_t shown = ui.shown.size();
  const bool goes_on = AnswerSaveQuestion(pick);
  const auto transfer = [&] {
    if (how == 0) {
      ws.clone_image = scanner_image_;
      filter_image(ws, ui);
    } else if (how == 2) {
      ws.clone_image.lines[70] = scanner_image_.lines[70];  // what arrived before the fault
    }
    return how == 0;
  };
  if (ReadCommand(ws, ui, window.files(), transfer)) window.Redraw();
  if (asked) {
    const Message& question = ui.shown.at(shown);
    EXPECT_EQ(question.text + "|" + question.title, "Data is not saved. Save it now?|Not Saved");
    EXPECT_TRUE(question.buttons == Buttons::kYesNoCancel && question.icon == Icon::kCritical);
  }
  if (goes_on && how == 0) Replaced(std::string(kUntitled), Data(false));
}

void DocumentModel::Act(std::mt19937& pick) {
  const int row = 1 + Pick(pick, kChannelsPerBank);
  switch (Pick(pick, 16)) {
    case 0:
    case 1: Edit([&] { Type(row, 1, IntText(140 + row) + "." + IntText(Pick(pick, 10))); }); break;
    case 2: Edit([&] { Type(row, 2, "T" + IntText(Pick(pick, 100))); }); break;
    case 3:
      Edit([&] {
        window.SetSelection({row, 4}, {row, 4});
        window.editor().PressKey(kKeySpace);
      });
      break;
    case 4:
      Edit([&] {
        window.SetSelection({row, 1}, {std::max(row - 2, 1), 1});  // made upwards
        window.Run(CommandId::kRemoveSelectedLines);
      });
      break;
    case 5: Edit([&] { window.Run(CommandId::kInsertEmptyLine); }); break;
    case 6: Edit([&] { window.ShowBank(Pick(pick, 11)); }); break;
    case 7:
    case 8: StepThroughHistory(false); break;
    case 9: StepThroughHistory(true); break;
    case 10:
      AnswerSave(pick);
      window.Run(CommandId::kSave);
      break;
    case 11: {
      const auto path = PathOrCancel(pick);
      ui.save_paths.push_back(path);
      window.Run(CommandId::kSaveAs);
      if (path) Saved(*path);
      break;
    }
    case 12: {  // a file never saved cannot be opened: nothing changes then
      const bool goes_on = AnswerSaveQuestion(pick);
      const auto path = PathOrCancel(pick);
      ui.open_paths.push_back(path);
      window.Run(CommandId::kOpen);
      if (goes_on && path && disk_.contains(*path)) Replaced(*path, "");
      break;
    }
    case 13: {
      const bool goes_on = AnswerSaveQuestion(pick);
      window.Run(CommandId::kNew);
      if (goes_on) Replaced(std::string(kUntitled), Data(false));
      break;
    }
    default: Read(pick); break;
  }
  ui.answers.clear();
  ui.save_paths.clear();
  ui.open_paths.clear();
}

void DocumentModel::Check() {
  for (const auto& [path, data] : disk_) {
    Document read;
    ScriptedUi quiet;
    ASSERT_FALSE(ReadChannelFile(ReadBytes(path), read, quiet).has_value()) << path;
    ASSERT_EQ(DataText(read.table, read), data) << path << " holds what was saved elsewhere";
  }
  ASSERT_EQ(ws.file_name, doc_.name);
  ASSERT_EQ(Data(true), doc_.data);
  ASSERT_EQ(UnsavedChanges(ws), Unsaved());
  ASSERT_EQ(window.title().starts_with(kUnsavedMark), Unsaved());
  ASSERT_EQ(window.IsEnabled(CommandId::kUndo), !undo_.empty());
  ASSERT_EQ(window.IsEnabled(CommandId::kRedo), !redo_.empty());
}

TEST(DocumentModel, FilesNamesAndTheUnsavedFlagStayTrueThroughEverySequence) {
  for (unsigned seed = 1; seed <= 24; ++seed) {
    SCOPED_TRACE(seed);
    DocumentModel model;
    std::mt19937 pick(seed);
    for (int action = 0; action < 50; ++action) {
      SCOPED_TRACE(action);
      model.Act(pick);
      model.Check();
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

TEST(History, KeepsItsNewestStepsWithinItsBound) {
  Workspace ws;
  ws.table.At(0, 1, kFieldFrequency) = "145.5";
  for (std::size_t i = 0; i < History::kMaxSteps + 5; ++i) {
    ws.table.At(0, 1, kFieldTag) = IntText(static_cast<long long>(i));
    ASSERT_TRUE(ws.history.Record(ws.table, ws, "Tag"));
  }
  EXPECT_EQ(ws.history.steps(), History::kMaxSteps);
  while (ws.history.Undo(ws)) {
  }
  EXPECT_EQ(ws.table.At(0, 1, kFieldTag), "4");
  EXPECT_LT(ws.history.Bytes(), History::kMaxBytes);
}

}  // namespace
}  // namespace talvirex::testing
