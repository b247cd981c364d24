// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_io.h"

#include <QCoreApplication>
#include <memory>
#include <ostream>

#include "cli/stream_ui.h"
#include "document.h"
#include "editor/tag_lists.h"
#include "files/channel_file.h"
#include "files/file_io.h"
#include "model/frequency.h"
#include "model/shown_text.h"
#include "settings/program_folder.h"

namespace talvirex::cli {

std::unique_ptr<QCoreApplication> ApplicationIfNone() {
  if (QCoreApplication::instance() != nullptr) return nullptr;
  // Qt keeps the arguments it is given for the life of the application object.
  static int argc = 1;
  static char name[] = "talvirex";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QCoreApplication>(argc, argv);
}

std::filesystem::path ProgramDirectory() {
  // Qt knows where the running program lies on every system, but only with an application object.
  const std::unique_ptr<QCoreApplication> application = ApplicationIfNone();
  return QCoreApplication::applicationDirPath().toStdString();
}

Settings UserSettings() { return LoadSettings(ReadTextOrEmpty(ProgramFolder() / "setup.ini")); }

bool LoadChannelFileAsOpenDoes(Document& document, const Settings& settings,
                               const std::string& path, std::ostream& err) {
  StreamUi ui(err, false);
  const ChannelFileLoad load = LoadChannelFile(path, document, ui);
  if (load.read) {
    TagLists unused;
    RecordTableTags(unused, document.table, settings.easy_tag_lists);
  }
  return !load.failure;
}

void SettleAsShown(Document& document, const Settings& settings) {
  SettleBank(document.table, 0, settings.hide_leading_zeros, settings.easy_tag_lists);
  NormalizeForSave(document.table);
}

int WriteResult(const std::string& bytes, const std::optional<std::string>& path,
                CommandContext& context) {
  if (!path) {
    context.out << bytes;
    return kExitOk;
  }
  if (const auto error = WriteFileAtomically(*path, bytes)) {
    context.err << "The file could not be saved:\n" << *path << '\n' << error->reason << '\n';
    return kExitDataProblem;
  }
  return kExitOk;
}

}  // namespace talvirex::cli
