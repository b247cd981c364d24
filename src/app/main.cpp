// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QIcon>
#include <iostream>
#include <string>
#include <vector>

#include "app/dialogs/feature_dialogs.h"
#include "app/main_window.h"
#include "cli/cli.h"
#include "image/clone_image.h"
#include "link/image_backup.h"
#include "settings/program_folder.h"

namespace {

// The desktop program: the main window `memtab` until it closes. Help files and the manual are
// looked up beside the program itself.
int RunDesktop(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TALVIREX"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/talvirex.svg")));
  talvirex::MainWindowOptions options;
  options.folders.program = talvirex::ProgramFolder();
  // Image backups of transfers are kept for a year.
  talvirex::RemoveOldImageBackups(options.folders.program);
  options.folders.install = QApplication::applicationDirPath().toStdString();
  options.hooks.build_default_image = [](talvirex::CloneImage& image) {
    talvirex::BuildDefaultImage(image);
  };
  talvirex::FeatureDialogs dialogs;
  options.dialogs = &dialogs;
  talvirex::MainWindow window(std::move(options));
  window.Start();
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc <= 1) return RunDesktop(argc, argv);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return talvirex::cli::RunCli(args, std::cin, std::cout, std::cerr);
}
