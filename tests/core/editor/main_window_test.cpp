#include "editor/main_window.h"

#include <gtest/gtest.h>

#include "editor/grid_bridge.h"
#include "image/clone_image.h"
#include "support/fake_ports.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

namespace fs = std::filesystem;

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowLogic& Start() {
    window.Startup();
    return window;
  }
  bool Exists(const std::string& name) const { return fs::exists(folder / name); }

  TempDir folder;
  TempDir install;
  Workspace ws;
  ScriptedUi ui;
  FakeClipboard clipboard;
  FakeClock clock;
  int images_built = 0;
  MainWindowLogic window{ws,    ui,   clipboard, clock, {folder.path(), install.path()},
                         {[this](CloneImage& image) {
                           ++images_built;
                           image.lines[1] = "built";
                         }}};
};

TEST_F(MainWindowTest, FirstStartWithoutFiles) {
  ws.table.At(3, 21, 5) = "left over";
  Start();
  EXPECT_EQ(images_built, 1);
  EXPECT_EQ(ws.clone_image.lines[1], "built");
  EXPECT_EQ(window.title(), "Kelmora for Uniden SC200");
  EXPECT_EQ(ws.table.At(3, 21, 5), "");
  EXPECT_EQ(window.placement(), WindowPlacement{});  // placement not saved: no file read
  EXPECT_EQ(window.tab_caption(10), "Dummy");
  EXPECT_EQ(window.view_caption(11), "Search / Edge");
  EXPECT_EQ(ws.priority[9], 181);
  EXPECT_EQ(ws.scanner_settings[10], 0);
  EXPECT_FALSE(window.WantsLastFileReload());
  EXPECT_FALSE(window.IsEnabled(CommandId::kShowSearchEdge));
}

TEST_F(MainWindowTest, StartUpReadsItsFiles) {
  WriteBytes(folder / "setup.ini", "[setup]\r\nwindow=1\r\ntabwidth=1\r\nalign=5\r\ntoolbar=0\r\n"
                                   "loadlast=1\r\nhelpbar=0\r\n");
  WriteBytes(folder / "window.dat", "-5\r\n-5\r\n-5\r\n-5\r\n1\r\n");
  WriteBytes(folder / "tabw200.ini", "5\r\n20000\r\n 1500 \r\n");
  WriteBytes(folder / "names.dat", "Air, Marine\r\n  Police\r\n");
  WriteBytes(folder / "defdata.ini", "1\r\n5\r\n");
  Start();
  EXPECT_EQ(window.placement(), (WindowPlacement{100, 100, 1000, 1000, WindowState::kNormal}));
  EXPECT_EQ(window.column_widths()[1], 9000);
  EXPECT_EQ(window.column_widths()[3], EstimatedColumnWidths()[3]);
  EXPECT_EQ(window.alignment(), GridAlignment::kLeft);  // an alignment outside the list is not used
  EXPECT_FALSE(window.toolbars_visible());
  EXPECT_TRUE(window.WantsLastFileReload());
  EXPECT_EQ(window.tab_caption(1), "2:   Police");
  EXPECT_EQ(ws.default_data.apply[1], 0);
  EXPECT_FALSE(ws.settings.help_bar_shown);  // start-up does not show the help bar
}

TEST_F(MainWindowTest, MissingWindowFileMaximises) {
  WriteBytes(folder / "setup.ini", "[setup]\r\nwindow=1\r\n");
  Start();
  EXPECT_EQ(window.placement().state, WindowState::kMaximised);
}

TEST_F(MainWindowTest, ShowBankSwitchesAndKeepsTypedEdits) {
  Start();
  ws.table.At(4, 1, kFieldFrequency) = "145.5";
  for (const char c : {'1', '4', '6'}) window.editor().TypeChar(c);
  window.ShowBank(4);
  EXPECT_EQ(window.bank_title(), "Bank 5");
  EXPECT_EQ(ws.grid.Cell(20, 0), "100");
  EXPECT_EQ(ws.grid.Cell(1, 1), "145.5000");
  EXPECT_EQ(window.editor().controls().editor_box_text, "145.5");
  EXPECT_TRUE(window.IsChecked(CommandId::kShowBank4));
  // What was typed into Bank 1 went into the table before the switch.
  EXPECT_EQ(ws.table.At(0, 1, kFieldFrequency), "146.0000");
  EXPECT_EQ(ws.status.bank_usage, "1-------5------------ ");

  window.Run(CommandId::kShowDummyBank);
  EXPECT_EQ(ws.current_bank, kDummyBank);
  EXPECT_EQ(window.bank_title(), "Dummy Bank");
  EXPECT_EQ(window.dummy_notice(), kDummyBankNotice);
  EXPECT_EQ(ws.grid.Cell(1, 0), "201");
  window.ShowBank(15);
  EXPECT_EQ(ws.current_bank, kDummyBank);
}

TEST_F(MainWindowTest, ExitCancelWritesNothingThenYesWritesEverything) {
  Start();
  for (const int c : {int{'1'}, int{'4'}, int{'5'}, int{kKeyEnter}}) window.editor().TypeChar(c);
  ASSERT_TRUE(ws.unsaved_changes);

  ui.answers = {Answer::kCancel};
  EXPECT_FALSE(window.RequestExit());
  ui.answers = {Answer::kOk, Answer::kCancel};
  EXPECT_FALSE(window.RequestExit());
  ASSERT_EQ(ui.shown.size(), 3u);
  EXPECT_EQ(ui.shown[0].text, "Exit TALVIREX?");
  EXPECT_EQ(ui.shown[0].title, "Exit");
  EXPECT_EQ(ui.shown[2].text, "Save data?");
  EXPECT_EQ(ui.shown[2].title, "Warning");
  EXPECT_EQ(ui.shown[2].buttons, Buttons::kYesNoCancel);
  EXPECT_EQ(ui.shown[2].icon, Icon::kCritical);
  EXPECT_TRUE(fs::is_empty(folder.path()));

  ui.answers = {Answer::kOk, Answer::kYes};
  ui.save_paths = {(folder / "mine.s2c").string()};
  EXPECT_TRUE(window.RequestExit());
  EXPECT_FALSE(ws.unsaved_changes);
  EXPECT_EQ(window.title(),
            "Kelmora for Uniden SC200 - [ " + (folder / "mine.s2c").string() + " ]");
  for (const char* name : {"mine.s2c", "lastused.sav", "names.dat", "setup.ini", "defdata.ini",
                           "tabw200.ini"}) {
    EXPECT_TRUE(Exists(name)) << name;
  }
  EXPECT_FALSE(Exists("window.dat"));    // `save_window_placement` off
  EXPECT_FALSE(Exists("lastfile.ini"));  // `load_last_file` off
  EXPECT_EQ(ReadBytes(folder / "names.dat").substr(0, 18), "Bank: 1\r\nBank: 2\r\n");
  EXPECT_NE(ReadBytes(folder / "mine.s2c").find("\"145.0000\""), std::string::npos);
}

TEST_F(MainWindowTest, ExitWritesWindowFileAndLastFileWhenAsked) {
  WriteBytes(folder / "setup.ini", "[setup]\r\nwindow=1\r\nloadlast=1\r\noption4=1\r\n");
  WriteBytes(folder / "window.dat", "10\r\n20\r\n3000\r\n4000\r\n0\r\n");
  Start();
  ws.file_name = (folder / "bank.s2c").string();
  window.SetPlacement({50, 60, 7000, 8000, WindowState::kMaximised});
  window.SetColumnWidth(2, 2500);
  EXPECT_TRUE(window.RequestExit());
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_EQ(ReadBytes(folder / "window.dat"), "50\r\n60\r\n7000\r\n8000\r\n2\r\n");
  EXPECT_EQ(ReadBytes(folder / "lastfile.ini"), ws.file_name + "\r\n");
  EXPECT_EQ(ReadBytes(folder / "tabw200.ini").substr(0, 10),
            std::to_string(EstimatedColumnWidths()[0]) + "\r\n2500");
}

TEST_F(MainWindowTest, SaveCancelledAtExitKeepsTheWindowOpen) {
  Start();
  ws.settings.skip_exit_question = 1;
  ws.unsaved_changes = true;
  ui.answers = {Answer::kYes};
  ui.save_paths = {std::nullopt};
  EXPECT_FALSE(window.RequestExit());
  EXPECT_FALSE(Exists("lastused.sav"));
}

TEST_F(MainWindowTest, HelpCommandsSayWhenTheDocumentsAreMissing) {
  Start();
  EXPECT_EQ(window.Run(CommandId::kHelpContents), CommandOutcome::kDone);
  EXPECT_EQ(window.Run(CommandId::kHelpSearch), CommandOutcome::kDone);
  window.Run(CommandId::kUserManual);
  EXPECT_TRUE(ui.opened_documents.empty());
  ASSERT_EQ(ui.shown.size(), 3u);
  EXPECT_EQ(ui.shown[0].text.rfind("The help was not found.", 0), 0u);
  EXPECT_EQ(ui.shown[1].text, ui.shown[0].text);
  EXPECT_EQ(ui.shown[2].text.rfind("The user manual was not found.", 0), 0u);
  EXPECT_EQ(ui.shown[2].icon, Icon::kWarning);
}

TEST_F(MainWindowTest, HelpCommandsFindTheDocumentsBesideTheProgram) {
  fs::create_directories(install / "Manual");
  fs::create_directories(install / "help");
  WriteBytes(install / "Manual" / "talvir.pdf", "%PDF");
  WriteBytes(install / "help" / "talvir.html", "<h1>Manual</h1>");
  Start();
  EXPECT_EQ(window.Run(CommandId::kHelpContents), CommandOutcome::kForWindow);
  EXPECT_EQ(window.Run(CommandId::kHelpSearch), CommandOutcome::kForWindow);
  ASSERT_TRUE(window.HelpFile().has_value());
  EXPECT_TRUE(fs::equivalent(*window.HelpFile(), install / "help" / "talvir.html"));
  window.Run(CommandId::kUserManual);
  ASSERT_EQ(ui.opened_documents.size(), 1u);
  EXPECT_TRUE(fs::equivalent(ui.opened_documents[0], install / "Manual" / "talvir.pdf"));
  EXPECT_TRUE(ui.shown.empty());
  // A desktop without a PDF viewer: said, not silent.
  ui.document_viewer = false;
  window.Run(CommandId::kUserManual);
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_NE(ui.shown[0].text.find("talvir.pdf"), std::string::npos);
}

TEST_F(MainWindowTest, HelpMenuMessagesAndOutcomes) {
  Start();
  window.Run(CommandId::kKeyboardShortcuts);
  window.Run(CommandId::kPopupHint);
  ASSERT_EQ(ui.shown.size(), 2u);
  EXPECT_EQ(ui.shown[0].text.substr(0, 37), "You can use these keyboard shortcuts,");
  EXPECT_EQ(ui.shown[1].text, "Use right mouse button click in grid to show the popup menu");
  EXPECT_EQ(window.Run(CommandId::kExit), CommandOutcome::kCloseWindow);
  EXPECT_EQ(window.Run(CommandId::kPriorityChannels), CommandOutcome::kForWindow);
  window.Run(CommandId::kToolbar);
  EXPECT_FALSE(window.toolbars_visible());
  EXPECT_TRUE(ws.settings.show_toolbars);
}

TEST_F(MainWindowTest, CommandStateFollowsTheGrid) {
  Start();
  EXPECT_FALSE(window.IsEnabled(CommandId::kUndo));
  window.SetSelection({1, 2}, {3, 2});
  EXPECT_TRUE(window.IsEnabled(CommandId::kFillSeries));
  window.Run(CommandId::kCopy);
  EXPECT_FALSE(window.IsEnabled(CommandId::kUndo));  // copying changes nothing to undo
  window.SetSelection({0, 9}, {40, -3});
  EXPECT_EQ(ws.grid.current, (CellPos{1, 7}));
  EXPECT_EQ(ws.grid.selection_end, (CellPos{20, 1}));
  EXPECT_FALSE(window.IsEnabled(CommandId::kFillSeries));
}

TEST_F(MainWindowTest, NewWithClearTagShowsNamesAlone) {
  WriteBytes(folder / "setup.ini", "[setup]\r\ncleartag=1\r\n");
  Start();
  ws.file_name = "x.s2c";
  window.Redraw();
  EXPECT_EQ(window.title(), "Kelmora for Uniden SC200 - [ x.s2c ]");
  window.Run(CommandId::kNew);
  EXPECT_EQ(ws.grid.Cell(0, 2), "Tag");  // the column captions stay
  EXPECT_EQ(window.tab_caption(0), "Bank 1");
  EXPECT_EQ(window.title(), "Kelmora for Uniden SC200 - [ Untitled ]");
}

TEST_F(MainWindowTest, CheckDataNormalisesShownValues) {
  Start();
  ws.grid.Cell(1, 1) = "1500";
  ws.grid.Cell(1, 3) = "On";
  window.Run(CommandId::kCheckData);
  EXPECT_EQ(ws.grid.Cell(1, 1), "1300.000");
  EXPECT_EQ(ws.table.At(0, 1, kFieldDelay), "1");
}

}  // namespace
}  // namespace talvirex::testing
