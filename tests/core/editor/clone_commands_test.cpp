// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/clone_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "core/link/kloon_test_support.h"
#include "editor/file_commands.h"
#include "editor/grid_bridge.h"
#include "editor/history.h"
#include "image/clone_image.h"
#include "link/clone_line_check.h"
#include "link/transfer_session.h"
#include "support/fake_ports.h"
#include "support/golden.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::FakeClock;
using testing::ScriptedUi;
using testing::TempDir;

// The 255 messages a scanner in master mode sends for `image`.
std::string MasterStream(const CloneImage& image) {
  std::string stream = "MDL\r";
  for (int i = 1; i <= kCloneLineCount; ++i)
    stream += image.lines[static_cast<std::size_t>(i)] + "\r";
  return stream + "END\r";
}

class CloneCommandsTest : public ::testing::Test {
 protected:
  // The transfer window in read mode on `document`, fed `stream` in one piece.
  TransferWindow ReadWindow(std::string stream) { return ReadWindow(ws, ui, std::move(stream)); }
  TransferWindow ReadWindow(Document& document, Ui& messages, std::string stream) {
    return [this, &document, &messages, stream] {
      struct : TransferView {
        void ShowStatus(const std::string&) override {}
      } view;
      TransferSession session(document, KloonMode::kRead, 50, TransferFiles{dir.path(), clock},
                              messages, view);
      const auto run = [&](const KloonEffects& effects) {
        for (const auto& effect : effects) session.Present(effect);
      };
      run(session.Start(PortAddress{}));
      run(session.kloon().OnPortOpened(PortOpenResult::kOpened));
      run(session.kloon().OnBytes(stream));
      return session.outcome() == Outcome::kComplete;
    };
  }

  TempDir dir;
  Workspace ws;
  ScriptedUi ui;
  FakeClock clock;
  FileCommands files{ws, ui, clock, dir.path()};
};

// The user answered No to "Save it now?": whatever ends a read before it completes, the edits,
// the file name and the unsaved state are as they were, and there is no step to undo.
TEST_F(CloneCommandsTest, AReadThatDidNotCompleteChangesNothing) {
  Workspace scanner;
  std::string short_read = MasterStream(scanner.clone_image);
  short_read.erase(short_read.find("CLN 0640"), 47);  // one line short: "END" comes at 254
  for (const std::string& stream : {short_read, std::string("MDL\r")}) {
    Workspace w;
    ScriptedUi u;
    FileCommands f{w, u, clock, dir.path()};
    w.file_name = (dir.path() / "mine.s2c").string();
    w.grid.Cell(1, 1) = "440.0000";
    u.answers.push_back(Answer::kNo);
    EXPECT_FALSE(ReadCommand(w, u, f, ReadWindow(w, u, stream)));
    EXPECT_EQ(w.grid.Cell(1, 1), "440.0000");
    EXPECT_EQ(w.file_name, (dir.path() / "mine.s2c").string());
    EXPECT_TRUE(UnsavedChanges(w));
    EXPECT_EQ(w.history.UndoName(), "Edit Channel 1");  // the typing, and no read
  }
}

TEST_F(CloneCommandsTest, ACompleteReadIsOneStepWhoseUndoBringsBackTheFileAndItsName) {
  const std::string mine = (dir.path() / "mine.s2c").string();
  ws.file_name = mine;
  ws.grid.Cell(1, 1) = "440.0000";
  ui.answers.push_back(Answer::kNo);
  ASSERT_TRUE(ReadCommand(ws, ui, files, ReadWindow(MasterStream(Workspace().clone_image))));
  const auto state = [&] {
    return ws.file_name + " " + ws.grid.Cell(1, 1) + (UnsavedChanges(ws) ? " unsaved" : "");
  };
  EXPECT_EQ(state(), "Untitled ");
  EXPECT_EQ(ws.history.UndoName(), "Read Data From Scanner");
  ws.history.Undo(ws);
  RenderBank(ws, ui);
  EXPECT_EQ(state(), mine + " 440.0000 unsaved");
  ws.history.Redo(ws);
  RenderBank(ws, ui);
  EXPECT_EQ(state(), "Untitled ");
}

TEST_F(CloneCommandsTest, ReadOffersToSaveFirst) {
  testing::ExpectTable("tables/read_offers_to_save.txt", [this](const std::string& answer) {
    Workspace w;
    ScriptedUi u;
    FileCommands f{w, u, clock, dir.path()};
    const std::string path = (dir.path() / "kept.s2c").string();
    std::filesystem::remove(path);
    if (answer.ends_with(", named")) w.file_name = path;
    w.grid.Cell(1, 1) = "145.0000";  // typed, not yet saved
    u.answers.push_back(answer.starts_with("yes")  ? Answer::kYes
                        : answer.starts_with("no") ? Answer::kNo
                                                   : Answer::kCancel);
    bool ran = false;
    ReadCommand(w, u, f, [&] { return ran = true, false; });
    const Message& asked = u.shown.at(0);
    EXPECT_EQ(asked.text + "|" + asked.title, "Data is not saved. Save it now?|Not Saved");
    EXPECT_TRUE(asked.buttons == Buttons::kYesNoCancel && asked.icon == Icon::kCritical);
    return std::string(ran ? "runs" : "does not run") + (UnsavedChanges(w) ? ", unsaved" : "") +
           (std::filesystem::exists(path) ? ", written" : "");
  });
}

TEST_F(CloneCommandsTest, SendPreparesEveryLineAndKeepsUninterpretedBytes) {
  // Line 2 (0x0010) is not interpreted: what a read brought there goes back unchanged.
  ws.clone_image.lines[2] = testing::CloneLineFor(2, 0x5A);
  ws.grid.Cell(1, 1) = "162.5500";
  CloneImage sent;
  SendCommand(ws, ui, [&] { return sent = ws.clone_image, true; });
  for (int i = 1; i <= kCloneLineCount; ++i) {
    EXPECT_TRUE(IsCloneLineFor(sent.lines[static_cast<std::size_t>(i)], i)) << i;
  }
  EXPECT_EQ(sent.lines[2], testing::CloneLineFor(2, 0x5A));
  EXPECT_EQ(sent.lines[65].substr(9, 6), "46590A");  // slot 1's frequency record
  EXPECT_EQ(ws.table.At(0, 1, kFieldFrequency), "162.5500");
  EXPECT_EQ(ws.grid.Cell(1, 1), "162.5500");
}

}  // namespace
}  // namespace talvirex
