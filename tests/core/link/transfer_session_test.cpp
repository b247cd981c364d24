// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/transfer_session.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/link/kloon_test_support.h"
#include "document.h"
#include "image/image_file.h"
#include "support/fake_ports.h"
#include "support/temp_dir.h"

namespace talvirex::testing {
namespace {

struct ShownView final : TransferView {
  void ShowStatus(const std::string& text) override { statuses.push_back(text); }
  void AppendRefusal(const std::string& text) override { log += text; }
  void CloseView() override { ++closes; }
  std::vector<std::string> statuses;
  std::string log;
  int closes = 0;
};

class TransferSessionTest : public ::testing::Test {
 protected:
  // What the serial link does with the engine's effects, the port and timers left out.
  void Run(const KloonEffects& effects) {
    for (const auto& effect : effects) {
      if (const auto* write = std::get_if<WriteText>(&effect)) session->Sent(write->text);
      session->Present(effect);
    }
  }
  void Receive(const std::string& bytes) {
    session->Received(bytes);
    Run(session->kloon().OnBytes(bytes));
  }
  void Begin(KloonMode mode) {
    session.emplace(document, mode, 10, TransferFiles{home.path(), clock}, ui, view);
    Run(session->kloon().Open());
    Run(session->Start(PortAddress{}));
    Run(session->kloon().OnPortOpened(PortOpenResult::kOpened));
  }
  void ReadWholeImage(const CloneImage& scanner) {
    std::string stream = "MDL\r";
    for (int i = 1; i <= kCloneLineCount; ++i)
      stream += scanner.lines[static_cast<std::size_t>(i)] + "\r";
    Receive(stream + "END\r");
  }

  TempDir home;
  FakeClock clock;
  ScriptedUi ui;
  ShownView view;
  Document document;
  std::optional<TransferSession> session;
};

TEST_F(TransferSessionTest, ACompleteReadIsKeptThenDecodedAndTracedOnce) {
  const CloneImage scanner = NumberedImage();
  document.table.At(0, 1, kFieldFrequency) = "440";
  Begin(KloonMode::kRead);
  ReadWholeImage(scanner);

  EXPECT_EQ(session->outcome(), Outcome::kComplete);
  EXPECT_TRUE(ui.shown.size() == 1 && view.log.empty());  // the instructions only
  EXPECT_EQ(FileNames(home / "backup"), std::vector<std::string>{"2026-12-05_16-50-00_read.img"});
  EXPECT_EQ(ReadBytes(home / "backup" / "2026-12-05_16-50-00_read.img"), ImageFileText(scanner));
  EXPECT_NE(document.table.At(0, 1, kFieldFrequency), "440");  // decoded from the image
  Run(session->kloon().OnCloseTimer());
  EXPECT_EQ(view.closes, 1);
  EXPECT_EQ(view.statuses.back(), "END received. Backup status: OK.");

  session->Finish();
  session->Finish();
  ASSERT_EQ(FileNames(home / "traces").size(), 1u);
  const std::string trace = ReadBytes(home / "traces" / FileNames(home / "traces")[0]);
  EXPECT_NE(trace.find("< MDL\\r"), std::string::npos);
  EXPECT_NE(trace.find("> SC200SPOR\\r"), std::string::npos);
  EXPECT_NE(trace.find("= END received. Backup status: OK."), std::string::npos);
}

TEST_F(TransferSessionTest, AReadThatEndsShortKeepsNoImageAndLeavesTheTables) {
  document.table.At(0, 1, kFieldFrequency) = "440";
  Begin(KloonMode::kRead);
  Receive("MDL\r" + CloneLineFor(1, 1) + "\rEND\r");
  EXPECT_EQ(session->outcome(), Outcome::kBadRead);
  EXPECT_TRUE(FileNames(home / "backup").empty());
  EXPECT_EQ(document.table.At(0, 1, kFieldFrequency), "440");
}

TEST_F(TransferSessionTest, ABackupThatCannotBeWrittenIsReportedAndTheTransferGoesOn) {
  WriteBytes(home / "backup", "a file where the folder should be");
  const CloneImage scanner = NumberedImage();
  const std::string failed = "The backup image could not be written:\r\n" +
                             (home / "backup" / "2026-12-05_16-50-00_").string();
  Begin(KloonMode::kRead);
  ReadWholeImage(scanner);
  EXPECT_EQ(session->outcome(), Outcome::kComplete);
  EXPECT_EQ(document.clone_image.lines, scanner.lines);  // decoded all the same
  ASSERT_EQ(ui.Texts().size(), 2u) << "the instructions, then the failure";
  EXPECT_EQ(ui.Texts()[1], failed + "read.img\r\nNot a directory");
  EXPECT_EQ(view.log, "\r\n" + ui.Texts()[1]);
  EXPECT_EQ(ReadBytes(home / "backup"), "a file where the folder should be");

  ui.shown.clear();
  Begin(KloonMode::kSend);
  Receive("SC200SPOR\r");
  EXPECT_EQ(ui.Texts().back(), failed + "send.img\r\nNot a directory");
  Run(session->kloon().OnPacingTimer());  // the first line goes out regardless
  EXPECT_EQ(session->kloon().line_counter(), 0);
  Receive("OK\r");
  EXPECT_EQ(session->kloon().line_counter(), 1);
}

TEST_F(TransferSessionTest, ASendKeepsTheImageOnceTheScannerAnswersAndNotBefore) {
  document.clone_image = NumberedImage();
  Begin(KloonMode::kSend);
  EXPECT_TRUE(FileNames(home / "backup").empty()) << "no answer yet: the scanner is unchanged";
  Receive("SC200SPOR\r");
  const auto backups = FileNames(home / "backup");
  ASSERT_EQ(backups, std::vector<std::string>{"2026-12-05_16-50-00_send.img"});
  EXPECT_EQ(ReadBytes(home / "backup" / backups[0]), ImageFileText(NumberedImage()));
  clock.now.second = 30;
  Run(session->Start(PortAddress{}));  // a second press while sending
  Receive("SC200SPOR\r");              // and an answer out of turn
  EXPECT_EQ(FileNames(home / "backup"), backups);
  EXPECT_TRUE(ui.shown.size() == 1 && view.log.empty());  // the instructions only

  TransferSession idle(document, KloonMode::kSend, 10, TransferFiles{home.path() / "idle", clock},
                       ui, view);
  Run(idle.kloon().Open());
  idle.Finish();
  EXPECT_TRUE(FileNames(home.path() / "idle" / "traces").empty());
}

}  // namespace
}  // namespace talvirex::testing
