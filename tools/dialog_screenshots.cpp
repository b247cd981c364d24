// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a PNG of every dialog of the desktop program into the folder given, each opened on a
// workspace with a few channels, names and settings so that the controls show real values.
// With --step it shows the main window, every dialog, the transfer window and the help window in
// turn instead: it prints each one's name on a line and waits for a line on its input before the
// next, running the event loop meanwhile, so that an accessibility client can walk the window.

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <functional>
#include <string>
#include <unistd.h>

#include "app/dialogs/about_box.h"
#include "app/dialogs/bank_names_dialog.h"
#include "app/dialogs/channel_list_dialog.h"
#include "app/dialogs/csv_export_dialog.h"
#include "app/dialogs/csv_import_dialog.h"
#include "app/dialogs/default_data_dialog.h"
#include "app/dialogs/easy_fill_dialog.h"
#include "app/dialogs/find_replace_dialog.h"
#include "app/dialogs/memory_manager_dialog.h"
#include "app/dialogs/print_dialog.h"
#include "app/dialogs/priority_dialog.h"
#include "app/dialogs/scanner_options_dialog.h"
#include "app/dialogs/software_options_dialog.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/transfer_window.h"
#include "editor/dialog_forms.h"
#include "files/stock_lists.h"
#include "platform/qt_ui.h"
#include "platform/screen_reader_names.h"
#include "ports/clipboard.h"
#include "ports/clock.h"
#include "workspace.h"

namespace talvirex {
namespace {

// A clipboard holding a copied web page, so the import dialog has something to list.
class SampleClipboard final : public Clipboard {
 public:
  std::string GetText() override {
    return "<tr><td>Fire Dispatch</td><td>154.4300</td></tr>\n"
           "<tr><td>Fire Ground</td><td>154.2800</td></tr>\n"
           "<tr><td>EMS</td><td>155.3400</td></tr>\n"
           "<tr><td>Marine 16</td><td> 156.8000</td></tr>\n"
           "<tr><td>NOAA</td><td>162.5500 - 162.4000</td></tr>\n";
  }
  void SetText(const std::string& /*text*/) override {}
};

void FillSample(Workspace& ws) {
  ws.current_bank = 1;
  ws.bank_names[0] = "Police";
  ws.bank_names[1] = "Fire Dept";
  ws.bank_names[2] = "   Airband";
  ws.priority = {3, 22, 41, 0, 81, 101, 121, 141, 161, 181, 0};
  ws.scanner_settings[4] = 0;
  ws.scanner_settings[10] = 1;
  ws.grid.current = {3, 1};
  ws.grid.selection_end = {8, 1};
  ws.table.At(1, 1, kFieldFrequency) = "154.4300";
  ws.table.At(1, 1, kFieldTag) = "Fire Dispatch";
  ws.table.At(1, 2, kFieldFrequency) = "154.2800";
  ws.table.At(1, 2, kFieldTag) = "Fire Ground";
  ws.table.At(0, 1, kFieldFrequency) = "155.3400";
  ws.table.At(0, 1, kFieldTag) = "County";
  ws.settings.find_in_tags = true;
  ws.settings.copy_tags = true;
  ws.settings.backupdelay = 15;
  ws.settings.easy_tag_lists = true;
}

// The virtual display has no window manager, so the picture gets a plain title bar of its own that
// shows the window's title.
QImage WithTitleBar(const QWidget& window, const QPixmap& content) {
  const int bar = window.fontMetrics().height() + 10;
  QImage image(content.width() + 2, content.height() + bar + 1, QImage::Format_RGB32);
  image.fill(QColor(0x5a, 0x6e, 0x8c));
  QPainter painter(&image);
  painter.drawPixmap(1, bar, content);
  QFont font = window.font();
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(8, 0, image.width() - 16, bar), Qt::AlignVCenter | Qt::AlignLeft,
                   window.windowTitle());
  return image;
}

bool Shoot(QWidget& window, const QDir& folder, const QString& name) {
  window.show();
  for (int i = 0; i < 10; ++i) {
    QApplication::processEvents();
    QThread::msleep(20);
  }
  const QString path = folder.filePath(name + QStringLiteral(".png"));
  const bool saved = WithTitleBar(window, window.grab()).save(path);
  std::fprintf(stderr, "%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
  window.hide();
  return saved;
}

// Shows `window` until a line arrives on the standard input.
bool Hold(QWidget& window, const QString& name) {
  window.show();
  std::printf("%s\n", qPrintable(name));
  std::fflush(stdout);
  QEventLoop loop;
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, &loop, [&loop] {
    char buffer[256];
    if (::read(STDIN_FILENO, buffer, sizeof buffer) >= 0) loop.quit();
  });
  loop.exec();
  window.hide();
  return true;
}

using Visit = std::function<bool(QWidget& window, const QString& name)>;

// The windows that only the step mode shows: the main window on a program folder of its own, the
// transfer window and the help window on a page of two chapters.
bool VisitWindows(const Visit& visit, Workspace& ws, QtUi& ui) {
  QTemporaryDir home;
  MainWindowOptions options;
  options.folders = {home.path().toStdString(), home.path().toStdString()};
  options.splash = false;
  MainWindow memtab(std::move(options));
  memtab.Start();
  memtab.workspace().table.At(0, 3, kFieldFrequency) = "146.5200";
  memtab.logic().Redraw();
  memtab.RefreshFromCore();
  bool ok = visit(memtab, QStringLiteral("memtab"));
  SystemClock clock;
  TransferDialog kloon(ws, KloonMode::kRead, {ui, clock, home.path().toStdString()});
  ok &= visit(kloon, QStringLiteral("kloon"));
  const QString page = home.filePath(QStringLiteral("help.html"));
  QFile html(page);
  html.open(QIODevice::WriteOnly);
  html.write("<h1>Getting started</h1><p>Open a file.</p><h2>Keys</h2><p>Tab moves on.</p>");
  html.close();
  HelpWindow* help = HelpWindow::Show(&memtab, page.toStdString(), false);
  ok &= visit(*help, QStringLiteral("helpwindow"));
  memtab.hide();
  return ok;
}

int Run(const Visit& visit, bool all_windows) {
  Workspace ws;
  FillSample(ws);
  QtUi ui;
  SampleClipboard clipboard;
  QWidget main_window;
  main_window.resize(900, 600);
  bool ok = !all_windows || VisitWindows(visit, ws, ui);

  // Each dialog on its form, loaded as the main window's logic loads it for the command.
  DialogForms forms;
  forms.default_data.Load(ws.default_data);
  DefaultDataDialog defdata(forms.default_data);
  ok &= visit(defdata, QStringLiteral("defdata"));
  forms.priority.Load(ws);
  PriorityDialog prio(forms.priority);
  ok &= visit(prio, QStringLiteral("prio"));
  forms.scanner_options.Load(ws);
  ScannerOptionsDialog sc200set(forms.scanner_options);
  ok &= visit(sc200set, QStringLiteral("sc200set"));
  forms.bank_names.Load(ws);
  BankNamesDialog banknamen(forms.bank_names);
  ok &= visit(banknamen, QStringLiteral("banknamen"));
  forms.software_options.Load(ws.settings);
  SoftwareOptionsDialog softset(forms.software_options);
  ok &= visit(softset, QStringLiteral("softset"));
  forms.easy_fill.Open(ws);
  EasyFillDialog easy2(forms.easy_fill, ws);
  ok &= visit(easy2, QStringLiteral("easy2"));
  forms.find.Open(ws);
  forms.find.text = "Fire";
  forms.find.Find();
  FindDialog find(forms.find);
  ok &= visit(find, QStringLiteral("find"));
  forms.replace.Open(ws);
  forms.replace.find_text = "Fire";
  forms.replace.replace_text = "FD";
  ReplaceDialog replace(forms.replace);
  ok &= visit(replace, QStringLiteral("replace"));
  forms.memory_manager.Open(ws, ManagerMode::kChannels);
  forms.memory_manager.SelectDestination(4);
  MemoryManagerDialog editmenu(forms.memory_manager);
  ok &= visit(editmenu, QStringLiteral("editmenu"));
  forms.memory_manager.Open(ws, ManagerMode::kBanks);
  forms.memory_manager.SelectSource(1);
  forms.memory_manager.SelectDestination(3);
  MemoryManagerDialog editmenu_banks(forms.memory_manager);
  ok &= visit(editmenu_banks, QStringLiteral("editmenu_banks"));
  forms.csv_export.Open();
  CsvExportDialog expcsvd(forms.csv_export, ws, ui);
  ok &= visit(expcsvd, QStringLiteral("expcsvd"));
  WebCatcherWindow info2(ws, ui, clipboard, &main_window);
  ok &= visit(info2, QStringLiteral("info2"));
  CsvImportDialog csvfile(ws, ui, clipboard);
  csvfile.ImportFromClipboard();
  ok &= visit(csvfile, QStringLiteral("csvfile"));
  const QString list_path = QDir::temp().filePath(QStringLiteral("county-list.csv"));
  {
    QFile list(list_path);
    list.open(QIODevice::WriteOnly);
    list.write(
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "Mode,TStep,Skip,Comment\r\n"
        "1,Fire Dispatch,154.430000,,0.000000,TSQL,88.5,100.0,023,NN,FM,5.00,,\r\n"
        "2,Fireground 2,154.280000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,\r\n"
        "3,EMS Ops,155.340000,,0.000000,DTCS,88.5,88.5,025,NN,FM,5.00,S,\r\n"
        "4,Sheriff,460.025000,+,5.000000,TSQL,88.5,69.3,023,NN,FM,12.50,,\r\n"
        "5,Airport Twr,118.300000,,0.000000,,88.5,88.5,023,NN,AM,25.00,,\r\n"
        "6,2m Repeater,146.940000,-,0.600000,Tone,100.0,88.5,023,NN,FM,5.00,,\r\n"
        "7,6m Simplex,52.525000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,\r\n"
        "8,CB Ch 19,27.185000,,0.000000,,88.5,88.5,023,NN,AM,5.00,,\r\n");
  }
  forms.channel_list.Open(list_path.toStdString(), ws, ui);
  forms.channel_list.SetFirstChannel(19);
  ChannelListDialog chanlist(forms.channel_list, ws.table);
  ok &= visit(chanlist, QStringLiteral("chanlist"));
  // A stock list as File > Import Stock List opens it: the build's own, beside the program in
  // the folder above this tool's, copied to where the sample list lies so the path shown is short.
  const auto stock =
      FindStockLists(QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/.."))
                         .absolutePath()
                         .toStdString());
  const StockList* interop = StockListNamed(stock, "interop");
  const QString stock_path = QDir::temp().filePath(QStringLiteral("interop.csv"));
  QFile::remove(stock_path);
  if (interop == nullptr ||
      !QFile::copy(QString::fromStdString(interop->path.string()), stock_path) ||
      !forms.channel_list.Open(stock_path.toStdString(), ws, ui)) {
    std::fprintf(stderr, "no stock list interop beside the program\n");
    return 2;
  }
  ChannelListDialog stock_list(forms.channel_list, ws.table);
  ok &= visit(stock_list, QStringLiteral("stock-list"));
  forms.print.Open();
  PrintDialog printie(forms.print, ws, ui);
  ok &= visit(printie, QStringLiteral("printie"));
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog setup_printer(&printer);
  NamePrinterDialogControls(setup_printer);
  ok &= visit(setup_printer, QStringLiteral("printie_setup_printer"));
  AboutBox about;
  ok &= visit(about, QStringLiteral("about"));
  return ok ? 0 : 2;
}

}  // namespace
}  // namespace talvirex

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: dialog_screenshots FOLDER | --step\n");
    return 1;
  }
  if (std::string(argv[1]) == "--step") return talvirex::Run(&talvirex::Hold, true);
  QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 2;
  }
  return talvirex::Run(
      [&folder](QWidget& window, const QString& name) {
        return talvirex::Shoot(window, folder, name);
      },
      false);
}
