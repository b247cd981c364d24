#include "cli/command_io.h"

#include <ostream>

#include "cli/stream_ui.h"
#include "files/file_commands.h"
#include "files/file_io.h"
#include "ports/clock.h"
#include "settings/program_files.h"
#include "settings/program_folder.h"
#include "workspace.h"

namespace talvirex::cli {

bool LoadChannelFileAsOpenDoes(Workspace& workspace, const std::string& path, std::ostream& err) {
  const auto folder = ProgramFolder();
  LoadSettingsFiles(workspace, folder);
  StreamUi ui(err, false);
  SystemClock clock;
  FileCommands files(workspace, ui, clock, folder);
  return files.LoadChannelFile(path);
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
