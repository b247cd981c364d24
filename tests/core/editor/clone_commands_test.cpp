// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/clone_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "core/link/kloon_test_support.h"
#include "editor/file_commands.h"
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
  // The transfer window in read mode, fed `stream` in one piece.
  TransferWindow ReadWindow(std::string stream) {
    return [this, stream] {
      struct : TransferView {
        void ShowStatus(const std::string&) override {}
      } view;
      TransferSession session(ws, KloonMode::kRead, 50, TransferFiles{dir.path(), clock}, ui, view);
      const auto run = [&](const KloonEffects& effects) {
        for (const auto& effect : effects) session.Present(effect);
      };
      run(session.Start(PortAddress{}));
      run(session.kloon().OnPortOpened(PortOpenResult::kOpened));
      run(session.kloon().OnBytes(stream));
    };
  }

  TempDir dir;
  Workspace ws;
  ScriptedUi ui;
  FakeClock clock;
  FileCommands files{ws, ui, clock, dir.path()};
};

TEST_F(CloneCommandsTest, AFailedReadKeepsTheTableButStillNamesTheFileUntitled) {
  ws.file_name = (dir.path() / "mine.s2c").string();
  ws.grid.Cell(1, 1) = "440.0000";
  Workspace scanner;
  std::string stream = MasterStream(scanner.clone_image);
  stream.erase(stream.find("CLN 0640"), 47);  // one line short: "END" comes at count 254

  const auto editor_text = ReadCommand(ws, ui, files, ReadWindow(stream));
  ASSERT_TRUE(editor_text);
  EXPECT_EQ(*editor_text, "440.0000");
  EXPECT_EQ(ws.table.At(0, 1, kFieldFrequency), "440.0000");
  EXPECT_EQ(ws.grid.Cell(1, 1), "440.0000");
  EXPECT_EQ(ws.file_name, "Untitled");
}

TEST_F(CloneCommandsTest, ReadOffersToSaveFirst) {
  testing::ExpectTable("tables/read_offers_to_save.txt", [this](const std::string& answer) {
    Workspace w;
    ScriptedUi u;
    FileCommands f{w, u, clock, dir.path()};
    const std::string path = (dir.path() / "kept.s2c").string();
    std::filesystem::remove(path);
    if (answer.ends_with(", named")) w.file_name = path;
    w.unsaved_changes = true;
    u.answers.push_back(answer.starts_with("yes")  ? Answer::kYes
                        : answer.starts_with("no") ? Answer::kNo
                                                   : Answer::kCancel);
    bool ran = false;
    const bool runs = ReadCommand(w, u, f, [&] { ran = true; }).has_value();
    const Message& asked = u.shown.at(0);
    EXPECT_EQ(asked.text + "|" + asked.title, "Data is not saved. Save it now?|Not Saved");
    EXPECT_TRUE(asked.buttons == Buttons::kYesNoCancel && asked.icon == Icon::kCritical);
    EXPECT_EQ(ran, runs);
    return std::string(runs ? "runs" : "does not run") + (w.unsaved_changes ? ", unsaved" : "") +
           (std::filesystem::exists(path) ? ", written" : "");
  });
}

TEST_F(CloneCommandsTest, SendPreparesEveryLineAndKeepsUninterpretedBytes) {
  // Line 2 (0x0010) is not interpreted: what a read brought there goes back unchanged.
  ws.clone_image.lines[2] = testing::CloneLineFor(2, 0x5A);
  ws.grid.Cell(1, 1) = "162.5500";
  CloneImage sent;
  SendCommand(ws, ui, [&] { sent = ws.clone_image; });
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
