// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/clone_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "core/link/kloon_test_support.h"
#include "editor/file_commands.h"
#include "editor/history.h"
#include "image/clone_image.h"
#include "link/clone_line_check.h"
#include "link/transfer_session.h"
#include "support/fake_ports.h"
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
