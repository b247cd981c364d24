// SPDX-License-Identifier: GPL-3.0-or-later
// The transfer window `kloon` in the real main window, on the real serial driver, against the
// virtual scanner (`talvirex scanner`, a process of its own) over a pseudo-terminal. The test
// presses the window's buttons as a user would while the window runs modally; message boxes are
// answered by a scripted Ui. Every wait has a deadline, and a watchdog closes a window that hangs.

#include "app/transfer_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <cstdlib>

#include "app/dialog_launcher.h"
#include "app/grid_controls.h"
#include "editor/clone_commands.h"
#include "editor/history.h"
#include "files/channel_file.h"
#include "image/clone_image.h"
#include "image/decoders.h"
#include "image/image_file.h"
#include "main_window_fixture.h"
#include "settings/program_folder.h"
#include "settings/registry_store.h"
#include "support/background_process.h"
#include "support/run_command.h"

namespace talvirex {
namespace {

using testing::BackgroundProcess;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string kSample = std::string(TALVIREX_TEST_DATA) + "/codec/sample.s2c";
constexpr int kDeadlineMs = 30000;

// Launches the two clone commands' transfer window and nothing else.
class TransferLauncher final : public DialogLauncher {
 public:
  bool Launch(CommandId command, WindowCommandContext& context) override {
    return RunTransferCommand(command, context);
  }
};

// Saves the window's picture when TALVIREX_SCREENSHOTS names a folder (for the documentation),
// under a plain title bar that shows the window's title.
void Screenshot(QWidget& widget, const char* name) {
  const char* folder = std::getenv("TALVIREX_SCREENSHOTS");
  if (folder == nullptr) return;
  const QPixmap body = widget.grab();
  const int bar = widget.fontMetrics().height() + 10;
  QPixmap picture(body.width(), body.height() + bar);
  picture.fill(QColor(0x3c, 0x4a, 0x5c));
  QPainter painter(&picture);
  painter.setPen(Qt::white);
  painter.drawText(QRect(8, 0, body.width() - 16, bar), Qt::AlignVCenter, widget.windowTitle());
  painter.drawPixmap(0, bar, body);
  painter.end();
  picture.save(QString::fromUtf8(folder) + "/" + name);
}

class TransferWindowTest : public testing::MainWindowFixture {
 protected:
  void OpenWindow() {
    MainWindowHooks hooks;
    hooks.build_default_image = [](CloneImage& image) { BuildDefaultImage(image); };
    Open(&launcher_, std::move(hooks));
  }

  std::unique_ptr<BackgroundProcess> StartScanner(std::vector<std::string> args) {
    args.insert(args.begin(), {"scanner", "--timeout", "20000"});
    auto scanner = std::make_unique<BackgroundProcess>(TALVIREX_BINARY, args, home_.path(),
                                                       dir_ / "scanner.err", true);
    EXPECT_TRUE(scanner->first_line().starts_with("/dev/")) << scanner->first_line();
    return scanner;
  }

  // Runs `command` from the main window; `drive` acts on the transfer window once it is up. A
  // window still open at the deadline is closed and the test fails.
  void RunWithWindow(CommandId command, const std::function<void(TransferDialog&)>& drive) {
    bool driven = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<TransferDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr || driven) return;
      driven = true;
      drive(*dialog);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
      if (auto* dialog = qobject_cast<TransferDialog*>(QApplication::activeModalWidget())) {
        ADD_FAILURE() << "the transfer window hung; status: "
                      << dialog->status_label()->text().toStdString();
        dialog->reject();
      }
    });
    poll.start();
    watchdog.start(kDeadlineMs);
    window_->RunCommand(command);
    EXPECT_TRUE(driven);
  }

  // Lets the event loop run until `done` holds; false at the deadline.
  static bool WaitUntil(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, kDeadlineMs);
  }

  static void UseDevice(TransferDialog& dialog, const std::string& device) {
    dialog.port_option(PortSetup::kOtherOption)->click();
    dialog.other_entry()->setText(QString::fromStdString(device));
  }

  // The standard output of `talvirex args...`.
  std::string Talvirex(const std::vector<std::string>& args) {
    return testing::RunCommand(TALVIREX_BINARY, args, home_.path()).out;
  }
  // A scanner memory: the sample channel file written into the factory image.
  std::filesystem::path SampleScannerImage() {
    const auto path = dir_ / "scanner.img";
    WriteBytes(path, Talvirex({"image", kSample}));
    return path;
  }

  std::string Registry(std::string_view name) {
    return RegistryStore::Parse(ReadBytes(RegistryStorePath(home_.path()))).RegistryGet(name, "");
  }
  TempDir dir_;
  TransferLauncher launcher_;
};

TEST_F(TransferWindowTest, ReadFillsTheGridThenSendCarriesOnlyTheTypedChange) {
  const auto original = SampleScannerImage();
  Workspace expected;
  expected.clone_image = std::get<CloneImage>(LoadImageFile(original));
  filter_image(expected, ui_);

  auto master = StartScanner({"--role", "master", "--image", original.string(), "--repeat", "50"});
  OpenWindow();
  QString during_read_status;
  RunWithWindow(CommandId::kReadFromScanner, [&](TransferDialog& dialog) {
    // The window as it opens with nothing remembered.
    EXPECT_EQ(dialog.windowTitle(), "Read Data");
    EXPECT_EQ(dialog.status_label()->text(), "None.");
    EXPECT_EQ(dialog.detected_label()->text(), "No");
    EXPECT_FALSE(dialog.send_button()->isEnabled());

    UseDevice(dialog, master->first_line());
    dialog.read_button()->click();
    EXPECT_FALSE(dialog.read_button()->isEnabled());
    EXPECT_TRUE(WaitUntil([&] { return dialog.progress_bar()->value() >= 40; }));
    during_read_status = dialog.status_label()->text();
    Screenshot(dialog, "transfer-reading.png");
    // The close timer closes the window 500 ms after the image was decoded.
    EXPECT_TRUE(WaitUntil(
        [&] { return dialog.status_label()->text() == "END received. Backup status: OK."; }));
    EXPECT_EQ(dialog.progress_bar()->value(), 0);
    EXPECT_TRUE(dialog.read_button()->isEnabled());
    EXPECT_FALSE(dialog.stop_button()->isEnabled());
    Screenshot(dialog, "transfer-read-done.png");
  });
  ASSERT_EQ(master->Wait(), 0) << master->err();
  EXPECT_TRUE(during_read_status.startsWith("RX Data transfer in progress: "))
      << during_read_status.toStdString();
  ASSERT_FALSE(ui_.shown.empty());
  EXPECT_TRUE(ui_.shown.front().text.starts_with("SportCat 200 file download:\r\n"));

  // The tables hold the scanner's channels and the grid shows them.
  const Workspace& read = window_->workspace();
  EXPECT_EQ(ChannelFileText(read), ChannelFileText(expected));
  EXPECT_EQ(Cell(1, 1), "162.5500");
  EXPECT_TRUE(Cell(1, 2).startsWith("Marine 16"));
  EXPECT_EQ(read.file_name, kUntitled);
  EXPECT_EQ(window_->controls().editor_box()->text().toStdString(),
            expected.table.At(0, 1, kFieldFrequency));

  // The port is remembered for next time.
  EXPECT_EQ(Registry("comport"), master->first_line());
  EXPECT_EQ(Registry("timer1"), "50");

  // Channel 3 gets a new frequency, typed into the grid.
  TypeFrequency(3, "151.625");
  ASSERT_EQ(Cell(3, 1), "151.6250");

  // The send window opens on the remembered port, here the slave's device, at the shortest pace.
  const auto received = dir_ / "received.img";
  auto slave = StartScanner({"--role", "slave", "--out", received.string()});
  RegistryStore store;
  store.RegistryPut("comport", slave->first_line());
  store.RegistryPut("timer1", "5");
  WriteBytes(RegistryStorePath(home_.path()), store.Serialize());
  ui_.shown.clear();
  RunWithWindow(CommandId::kSendToScanner, [&](TransferDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Send Data");
    EXPECT_FALSE(dialog.read_button()->isEnabled());
    EXPECT_TRUE(dialog.port_option(PortSetup::kOtherOption)->isChecked());
    EXPECT_EQ(dialog.other_entry()->text().toStdString(), slave->first_line());
    dialog.send_button()->click();
    EXPECT_TRUE(WaitUntil([&] { return dialog.status_label()->text() == "Restore finished."; }));
    EXPECT_EQ(dialog.detected_label()->text(), "Yes");
    EXPECT_EQ(dialog.line_field()->text().size(), 46);
    EXPECT_TRUE(dialog.send_button()->isEnabled());
    EXPECT_FALSE(dialog.stop_button()->isEnabled());
    Screenshot(dialog, "transfer-send-done.png");
    dialog.ok_button()->click();
  });
  ASSERT_EQ(slave->Wait(), 0) << slave->err();
  ASSERT_GE(ui_.shown.size(), 2u);
  EXPECT_TRUE(ui_.shown.front().text.starts_with("SportCat 200 file upload:\r\n"));
  EXPECT_TRUE(ui_.shown.back().text.starts_with("Restore finished. \r\n"));
  EXPECT_EQ(Registry("timer1"), "10");

  // The scanner got channel 3 as typed and no other change.
  const std::string sent = ReadBytes(received);
  EXPECT_EQ(sent, ImageFileText(window_->workspace().clone_image));
  Talvirex({"decode", original.string(), "-o", (dir_ / "before.s2c").string()});
  Talvirex({"decode", received.string(), "-o", (dir_ / "after.s2c").string()});
  EXPECT_EQ(Talvirex({"diff", (dir_ / "before.s2c").string(), (dir_ / "after.s2c").string()}),
            "Channel 3 (Bank 1, row 3): Freq. (MHz) \"145.5050\" -> \"151.6250\"\n"
            "Channel 3 (Bank 1, row 3): Delay \"0\" -> \"1\"\n"  // the default line data
            "Channel 3 (Bank 1, row 3): Lock Out \"1\" -> \"0\"\n");
}

// The user answered No to "Save it now?": a stopped read leaves the table, its name and what is
// unsaved exactly as they were.
TEST_F(TransferWindowTest, StopEndsAReadHalfWayAndLeavesTheTablesAlone) {
  // Every message 100 ms late: the read takes half a minute unless stopped.
  auto scanner = StartScanner({"--role", "master", "--repeat", "50", "--delay", "100"});
  OpenWindow();
  ASSERT_TRUE(window_->logic().files().LoadChannelFile(kSample));
  ResetHistory(window_->workspace());
  window_->workspace().grid.Cell(1, 2) = "Edited";
  ui_.answers.push_back(Answer::kNo);
  std::string before;
  RunWithWindow(CommandId::kReadFromScanner, [&](TransferDialog& dialog) {
    before = ChannelFileText(window_->workspace());
    UseDevice(dialog, scanner->first_line());
    dialog.read_button()->click();
    EXPECT_TRUE(WaitUntil([&] { return dialog.kloon().line_counter() >= 5; }));
    dialog.stop_button()->click();
    EXPECT_EQ(dialog.status_label()->text(), "Operation cancelled by user.");
    EXPECT_TRUE(dialog.read_button()->isEnabled());
    EXPECT_FALSE(dialog.kloon().transferring());
    // The window stays open after a cancelled read until "Ok".
    QTest::qWait(700);
    EXPECT_TRUE(dialog.isVisible());
    dialog.ok_button()->click();
  });
  EXPECT_EQ(ChannelFileText(window_->workspace()), before);
  EXPECT_EQ(window_->workspace().file_name, kSample);
  EXPECT_EQ(window_->workspace().grid.Cell(1, 2), "Edited");
  EXPECT_TRUE(window_->windowTitle().startsWith("*"));
  EXPECT_TRUE(testing::FileNames(home_ / "backup").empty());
  EXPECT_EQ(testing::FileNames(home_ / "traces").size(), 1u);
}

TEST_F(TransferWindowTest, PortChoiceComesFromTheStoreAndGoesBackAtClose) {
  const struct {
    const char* stored;        // "comport" without its "x"; nullptr: absent
    int option;                // selected when the window opens
    const char* entry;         // the "other:" entry
    int choose;                // the option the user picks, 0 none
    const char* entry_typed;   // typed into the entry, nullptr: left alone
    const char* stored_after;  // "comport" after the window closed
  } cases[] = {
      {nullptr, 1, "", 0, nullptr, "1"},
      {"12", 9, "12", 0, nullptr, "12"},
      {"5", 5, "", 9, "30", "19"},
  };
  Workspace workspace;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored == nullptr ? "absent" : c.stored);
    RegistryStore store;
    if (c.stored != nullptr) store.RegistryPut("comport", c.stored);
    WriteBytes(RegistryStorePath(home_.path()), store.Serialize());
    TransferDialog dialog(workspace, KloonMode::kSend, {ui_, clock_, home_.path()});
    dialog.show();
    EXPECT_TRUE(dialog.port_option(c.option)->isChecked());
    EXPECT_EQ(dialog.other_entry()->text().toStdString(), c.entry);
    if (c.choose != 0) dialog.port_option(c.choose)->click();
    if (c.entry_typed != nullptr) dialog.other_entry()->setText(c.entry_typed);
    dialog.close();
    EXPECT_EQ(Registry("comport"), c.stored_after);
    EXPECT_EQ(Registry("timer1"), "50");
  }
  EXPECT_TRUE(testing::FileNames(home_ / "traces").empty());  // nothing was exchanged
}

}  // namespace
}  // namespace talvirex
