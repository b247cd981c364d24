// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/dialogs/feature_dialogs.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "cli/cli.h"
#include "image/clone_image.h"
#include "link/image_backup.h"
#include "settings/program_folder.h"

namespace {

// Said when a window runs for the program folder but does not take the request: a second
// editor on the same folder would write its files over the first one's.
QString UnreachableText(const std::filesystem::path& folder) {
  return QStringLiteral(
             "TALVIREX is already running for the program folder\r\n%1\r\nbut does not "
             "answer, so no second window was started.\r\nClose the running window (or end "
             "the program), then try again.")
      .arg(QString::fromStdString(folder.string()));
}

// The desktop program: the main window `memtab` until it closes, opening `file` when given.
// Help files and the manual are looked up beside the program itself.
int RunDesktop(int argc, char** argv, const std::optional<std::string>& file) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TALVIREX"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/talvirex.svg")));
  talvirex::MainWindowOptions options;
  options.folders.program = talvirex::ProgramFolder();

  const QString path =
      file ? QFileInfo(QString::fromStdString(*file)).absoluteFilePath() : QString();
  talvirex::SingleInstance instance(options.folders.program);
  switch (instance.Claim(path)) {
    case talvirex::SingleInstance::Start::kHandedOver: return 0;
    case talvirex::SingleInstance::Start::kUnreachable: {
      const QString text = UnreachableText(options.folders.program);
      std::cerr << text.toStdString() << std::endl;
      QMessageBox::critical(nullptr, QStringLiteral("TALVIREX"), text);
      return 1;
    }
    case talvirex::SingleInstance::Start::kFirst: break;
  }

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
  instance.OnRequest([&window](const QString& handed) {
    if (handed.isEmpty()) {
      window.BringToFront();
    } else {
      window.OpenFileFromDesktop(handed);
    }
  });
  if (!path.isEmpty()) window.OpenFileFromDesktop(path);
  return QApplication::exec();
}

// `talvirex FILE`: the only argument is an existing file that names no command.
std::optional<std::string> FileToOpen(const std::vector<std::string>& args) {
  if (args.size() != 1 || talvirex::cli::IsCommandWord(args.front())) return std::nullopt;
  std::error_code error;
  if (!std::filesystem::is_regular_file(args.front(), error)) return std::nullopt;
  return args.front();
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return RunDesktop(argc, argv, std::nullopt);
  if (const auto file = FileToOpen(args)) return RunDesktop(argc, argv, file);
  return talvirex::cli::RunCli(args, std::cin, std::cout, std::cerr);
}
