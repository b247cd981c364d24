// SPDX-License-Identifier: GPL-3.0-or-later
// Channel files reaching the window from the desktop: a drop, the recent files and a second start
// of the program that hands its file to the window already running.
#include <QDropEvent>
#include <QLocalServer>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QSignalSpy>
#include <QUrl>

#include "app/command_actions.h"
#include "app/single_instance.h"
#include "main_window_fixture.h"

namespace talvirex {
namespace {

class DesktopFilesTest : public testing::MainWindowFixture {
 protected:
  void SetUp() override { Open(); }

  QString Path(const std::string& name) const {
    return QString::fromStdString((home_.path() / name).string());
  }
  // Saves the table under `name` as Save As does.
  void SaveAs(const std::string& name) {
    ui_.save_paths.push_back((home_.path() / name).string());
    window_->RunCommand(CommandId::kSaveAs);
  }
  QStringList RecentMenu() const {
    QStringList texts;
    for (QAction* action : window_->commands().ListedMenu(CommandId::kRecentFiles)->actions())
      texts << action->text();
    return texts;
  }
  void Drop(const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &enter);
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &drop);
  }
  // A second start of the program with `args`, for the same program folder, from that folder.
  std::unique_ptr<QProcess> SecondStart(const QStringList& args) {
    auto process = std::make_unique<QProcess>();
    process->setWorkingDirectory(QString::fromStdString(home_.path().string()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TALVIREX_HOME", QString::fromStdString(home_.path().string()));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process->setProcessEnvironment(environment);
    process->start(TALVIREX_BINARY, args);
    return process;
  }
};

// A dropped channel file is opened, not imported as a channel list: after the "Save data?"
// question, and also when only its first line tells what it is.
TEST_F(DesktopFilesTest, ADroppedChannelFileIsOpenedAfterTheSaveQuestion) {
  TypeFrequency(1, "145");
  SaveAs("first.s2c");
  testing::WriteBytes(home_.path() / "renamed.txt", testing::ReadBytes(home_.path() / "first.s2c"));
  window_->RunCommand(CommandId::kNew);
  TypeFrequency(1, "146");
  ui_.answers = {Answer::kCancel};
  Drop(Path("first.s2c"));
  QTest::qWait(50);
  EXPECT_EQ(Cell(1, 1), "146.0000");
  ui_.answers = {Answer::kNo};
  Drop(Path("renamed.txt"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Cell(1, 1) == "145.0000"; }));
  EXPECT_EQ(window_->windowTitle(), "Kelmora for Uniden SC200 - [ " + Path("renamed.txt") + " ]");
  EXPECT_EQ(ui_.shown.size(), 2u);  // the two questions, no channel-list import
}

// The submenu shows the files newest first and opens the one chosen; a file that has gone is
// taken off the menu with a message.
TEST_F(DesktopFilesTest, TheRecentFilesMenuOpensTheChosenFileAndDropsAVanishedOne) {
  QMenu& menu = *window_->commands().ListedMenu(CommandId::kRecentFiles);
  EXPECT_FALSE(menu.menuAction()->isEnabled());
  TypeFrequency(1, "145");
  SaveAs("a.s2c");
  TypeFrequency(2, "146");
  SaveAs("b.s2c");
  SaveAs("c.s2c");
  EXPECT_TRUE(menu.menuAction()->isEnabled());
  EXPECT_EQ(RecentMenu(),
            QStringList({"&1 " + Path("c.s2c"), "&2 " + Path("b.s2c"), "&3 " + Path("a.s2c")}));
  menu.actions().at(2)->trigger();
  EXPECT_EQ(Cell(2, 1), "");
  EXPECT_EQ(RecentMenu().first(), "&1 " + Path("a.s2c"));
  std::filesystem::remove(home_.path() / "b.s2c");
  menu.actions().at(2)->trigger();
  EXPECT_EQ(ui_.Texts().back(), "The file was not found:\r\n" + Path("b.s2c").toStdString() +
                                    "\r\nIt is removed from the list of recent files.");
  EXPECT_EQ(RecentMenu(), QStringList({"&1 " + Path("a.s2c"), "&2 " + Path("c.s2c")}));
}

// `talvirex FILE` while the window runs: the file, whatever its name holds, opens in the running
// window and the second process ends; without a file the second start only brings the window
// forward.
TEST_F(DesktopFilesTest, ASecondStartHandsItsFileToTheRunningWindowAndEnds) {
  TypeFrequency(1, "145");
  SaveAs("hand\ned &.s2c");
  window_->RunCommand(CommandId::kNew);
  SingleInstance first(home_.path());
  ASSERT_EQ(first.Claim({}), SingleInstance::Start::kFirst);
  QStringList handed;
  first.OnRequest([&](const QString& file) {
    handed << file;
    if (!file.isEmpty()) window_->OpenFileFromDesktop(file);
  });
  for (const QStringList& args : {QStringList{"hand\ned &.s2c"}, QStringList{}}) {
    auto second = SecondStart(args);
    QSignalSpy finished(second.get(), &QProcess::finished);
    ASSERT_TRUE(finished.wait(20000)) << second->readAllStandardError().toStdString();
    EXPECT_EQ(second->exitCode(), 0);
  }
  EXPECT_EQ(handed, QStringList({Path("hand\ned &.s2c"), QString()}));
  EXPECT_TRUE(RecentMenu().isEmpty());  // a name with a line break would not come back from it
  EXPECT_EQ(Cell(1, 1), "145.0000");
  EXPECT_EQ(window_->windowTitle(),
            "Kelmora for Uniden SC200 - [ " + Path("hand\ned &.s2c") + " ]");
}

// A window that takes the connection but never answers: the second start says so and starts no
// editor of its own on the same folder.
TEST_F(DesktopFilesTest, ASecondStartThatGetsNoAnswerSaysSoAndStartsNoSecondWindow) {
  QLocalServer silent;
  ASSERT_TRUE(silent.listen(InstanceServerName(home_.path())));
  auto second = SecondStart({});
  QByteArray said;
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        said += second->readAllStandardError();
        return said.contains("does not answer");
      },
      30000))
      << said.toStdString();
  EXPECT_TRUE(said.contains(QByteArray::fromStdString(home_.path().string())));
  second->kill();
  second->waitForFinished();
  EXPECT_FALSE(std::filesystem::exists(home_.path() / "lastused.sav"));
}

// A run that ended without closing its socket leaves the socket's file behind: the next start
// takes the name over instead of waiting for a window that is gone.
TEST_F(DesktopFilesTest, AStartAfterACrashTakesOverTheLeftSocket) {
  const QString name = InstanceServerName(home_.path());
  {
    QLocalServer crashed;
    ASSERT_TRUE(crashed.listen(name));
    const QString file = crashed.fullServerName();
    crashed.close();
    // What a crash leaves: the file without a listener.
    testing::WriteBytes(file.toStdString(), "");
  }
  SingleInstance next(home_.path());
  EXPECT_EQ(next.Claim({}), SingleInstance::Start::kFirst);
}

}  // namespace
}  // namespace talvirex
