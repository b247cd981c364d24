// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/clone_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "core/link/kloon_test_support.h"
#include "editor/file_commands.h"
#include "editor/history.h"
#include "image/clone_image.h"
#include "link/clone_line_check.h"
#include "support/fake_ports.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::FakeClock;
using testing::ScriptedUi;
using testing::TempDir;

class CloneCommandsTest : public ::testing::Test {
 protected:
  TempDir dir;
  Workspace ws;
  ScriptedUi ui;
  FakeClock clock;
  FileCommands files{ws, ui, clock, dir.path()};
};

// The user answered No to "Save it now?": a read that does not complete leaves the edits, the
// file name and the unsaved state as they were, the typed cell a step of its own and no read to
// undo. (What a short or stopped exchange leaves in the image is the transfer session's test.)
TEST_F(CloneCommandsTest, AReadThatDidNotCompleteChangesNothing) {
  ws.file_name = (dir.path() / "mine.s2c").string();
  ws.grid.Cell(1, 1) = "440.0000";
  ui.answers.push_back(Answer::kNo);
  EXPECT_FALSE(ReadCommand(ws, ui, files, [] { return false; }));
  EXPECT_EQ(ws.grid.Cell(1, 1), "440.0000");
  EXPECT_EQ(ws.file_name, (dir.path() / "mine.s2c").string());
  EXPECT_TRUE(UnsavedChanges(ws));
  EXPECT_EQ(ws.history.UndoName(), "Edit Channel 1");  // the typing, and no read
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
