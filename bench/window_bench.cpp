// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the desktop window: a bank switch by a tab, from the click to the repainted grid;
// opening a channel file whose first tag is a 5 MB line, from the read to the repainted window; and
// the import of a channel list of a million rows, opened and clicked.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QTabBar>
#include <QTableView>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <sys/resource.h>

#include "app/dialogs/channel_list_dialog.h"
#include "app/main_window.h"
#include "editor/history.h"
#include "files/channel_file.h"
#include "memory_clipboard.h"
#include "ports/ui.h"

namespace talvirex {
namespace {

QApplication& Application() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "talvirex_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);  // never torn down among exit handlers
  return *app;
}

void FillBanks(Workspace& ws) {
  for (int bank = 0; bank <= kDummyBank; ++bank) {
    for (int row = 1; row <= kChannelsPerBank; ++row) {
      ws.table.At(bank, row, kFieldFrequency) = std::to_string(140 + row) + ".5";
      ws.table.At(bank, row, kFieldTag) = "TAG " + std::to_string(row);
      for (const int field : {kFieldDelay, kFieldLockOut, kFieldBeepAlert, kFieldAtt}) {
        ws.table.At(bank, row, field) = row % 2 ? "1" : "0";
      }
      ws.table.At(bank, row, kFieldSubtone) = std::to_string(row * 7);
    }
  }
}

// A started main window over its own scratch program folder, closed without questions at the end.
class BenchWindow {
 public:
  explicit BenchWindow(const char* folder)
      : home_(std::filesystem::temp_directory_path() / folder) {
    Application();
    std::filesystem::create_directories(home_);
    MainWindowOptions options;
    options.folders = {home_, home_};
    options.ui = &ui_;
    options.clipboard = &clipboard_;
    options.splash = false;
    window_ = std::make_unique<MainWindow>(std::move(options));
    window_->Start();
  }
  ~BenchWindow() {
    ResetHistory(window_->workspace());  // nothing unsaved: no question at the close
    window_->workspace().settings.skip_exit_question = 1;
    window_->close();
    window_.reset();
    std::filesystem::remove_all(home_);
  }
  BenchWindow(const BenchWindow&) = delete;
  BenchWindow& operator=(const BenchWindow&) = delete;

  MainWindow& operator*() { return *window_; }
  MainWindow* operator->() { return window_.get(); }
  const std::filesystem::path& home() const { return home_; }

 private:
  std::filesystem::path home_;
  SilentUi ui_;
  MemoryClipboard clipboard_;
  std::unique_ptr<MainWindow> window_;
};

void BM_WindowBankSwitch(benchmark::State& state) {
  BenchWindow window("talvirex-bench-window");
  FillBanks(window->workspace());
  QApplication::processEvents();
  int tab = 0;
  for (auto _ : state) {
    tab = (tab + 1) % (kDummyBank + 1);
    window->tabs()->setCurrentIndex(tab);
    // The switch is done when the new bank is on the screen: the repaints it asked for run.
    QApplication::processEvents();
  }
}
BENCHMARK(BM_WindowBankSwitch)->Unit(benchmark::kMillisecond);

void BM_WindowOpensAFileWithAHugeLine(benchmark::State& state) {
  BenchWindow window("talvirex-bench-huge-line");
  const std::string path = (window.home() / "huge.s2c").string();
  {
    Workspace file;
    FillBanks(file);
    file.table.At(0, 1, kFieldTag) = std::string(5u << 20, 'A');
    if (WriteChannelFile(file, path)) state.SkipWithError("cannot write the channel file");
  }
  QApplication::processEvents();
  for (auto _ : state) {
    window->logic().files().LoadChannelFile(path);
    window->logic().SetSelection({1, 2}, {1, 2});  // the tag cell: the editor box shows it
    window->RefreshFromCore();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_WindowOpensAFileWithAHugeLine)->Unit(benchmark::kMillisecond)->Iterations(3);

// A database dump of a million rows (37 MB): every 11th outside the scanner's bands, every 7th with
// a transmit tone, which the scanner cannot use (a note on the row).
std::string WriteMillionRowList(const std::filesystem::path& folder) {
  const std::string path = (folder / "big.csv").string();
  std::string text = "Location,Name,Frequency,Tone,cToneFreq\r\n";
  for (int i = 0; i < 1000000; ++i) {
    text += std::to_string(i) + ",Unit " + std::to_string(i) + "," +
            (i % 11 == 10 ? std::string("80") : std::to_string(150 + i % 20) + ".5") +
            (i % 7 == 3 ? ",Tone,88.5\r\n" : ",TSQL,88.5\r\n");
  }
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// The import dialog on the screen with the list at `path` read into `form`.
struct ShownImport {
  ShownImport(const std::string& path, BenchWindow& window) {
    SilentUi ui;
    form.Open(path, window->workspace(), ui);
    dialog.emplace(form, window->workspace().table);
    dialog->show();
    QApplication::processEvents();
  }
  QAbstractItemModel& rows() { return *dialog->rows()->model(); }
  ChannelListImportForm form;
  std::optional<ChannelListDialog> dialog;
};

// The list read and the dialog on the screen with every row's outcome in reach, then one row
// unpicked (which moves every later placed row up a channel).
void BM_ImportDialogShowsAMillionRowList(benchmark::State& state) {
  BenchWindow window("talvirex-bench-big-list");
  const std::string path = WriteMillionRowList(window.home());
  for (auto _ : state) {
    ShownImport shown(path, window);
    QAbstractItemModel& rows = shown.rows();
    rows.setData(rows.index(5, 0), Qt::Unchecked, Qt::CheckStateRole);
    QApplication::processEvents();
    if (rows.rowCount() != 1000000) state.SkipWithError("the dialog does not show every row");
  }
  // The most the process has held (the list was written from a string of the file's size too),
  // against the file's size: an import should stay within 4 times it.
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
}
BENCHMARK(BM_ImportDialogShowsAMillionRowList)->Unit(benchmark::kMillisecond)->Iterations(2);

// One pick-box click in the million-row dialog: the outcomes found again, the summary above "Ok"
// rewritten and the rows in view repainted.
void BM_ImportDialogPickBoxClick(benchmark::State& state) {
  BenchWindow window("talvirex-bench-pick-box");
  ShownImport shown(WriteMillionRowList(window.home()), window);
  QAbstractItemModel& rows = shown.rows();
  bool picked = true;
  for (auto _ : state) {
    picked = !picked;
    rows.setData(rows.index(5, 0), picked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    QApplication::processEvents();
    benchmark::DoNotOptimize(shown.dialog->overwrite_summary()->text());
  }
}
BENCHMARK(BM_ImportDialogPickBoxClick)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talvirex
