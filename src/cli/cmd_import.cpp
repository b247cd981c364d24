// SPDX-License-Identifier: GPL-3.0-or-later
// talvirex import LIST.csv [--into IN.s2c] [--from CHANNEL] [--overwrite] -o OUT.s2c: a channel
// list from another radio tool or a frequency database, written into a channel file as the desktop
// import does. Channels in use are replaced only when asked, as the dialog shows them before Ok.
// With --stock, NAME is one of the stock lists installed with the program (stock_lists.h), and
// `import --stock` alone lists them.

#include <algorithm>
#include <optional>
#include <ostream>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/command_io.h"
#include "document.h"
#include "editor/channel_list_import.h"
#include "files/channel_file.h"
#include "files/channel_list.h"
#include "files/file_io.h"
#include "files/stock_lists.h"
#include "model/channel_table.h"
#include "model/default_data.h"
#include "model/numeric_value.h"
#include "settings/program_documents.h"
#include "settings/program_folder.h"

namespace talvirex::cli {

namespace {

constexpr std::uintmax_t kLargestList = 64u << 20;

// Says, row by row, what did not come across as the list has it, for the first `rows` rows: those
// after the row that fills channel 200 are only counted, since a database dump may have a million.
void ReportEntries(const ChannelList& list, std::size_t rows, std::ostream& err) {
  for (std::size_t i = 0; i < rows; ++i) {
    const ListEntry entry = list.entries[i];
    const std::string where = "line " + std::to_string(entry.line) + ": ";
    if (entry.skipped) err << where << "skipped: " << *entry.skipped << '\n';
    for (const std::string& note : entry.notes) err << where << note << '\n';
  }
}

std::size_t ChannelCount(const ChannelList& list) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < list.entries.size(); ++i) count += list.entries.skipped(i) ? 0 : 1;
  return count;
}

// The list at `path`; unset after saying on `err` why it cannot be imported.
std::optional<ChannelList> ReadList(const std::string& path, std::ostream& err) {
  const ReadResult file = ReadWholeFile(path, kLargestList);
  if (!file.bytes) {
    err << "The channel list could not be read:\n" << path << '\n' << file.error.reason << '\n';
    return std::nullopt;
  }
  ChannelList list = ReadChannelList(*file.bytes);
  if (list.error) {
    err << *list.error << '\n' << path << '\n';
    return std::nullopt;
  }
  return list;
}

// One line a stock list, in columns: its name, the channels it brings and its title. False when a
// list cannot be read (said on `err`).
bool ShowStockLists(const std::vector<StockList>& lists, std::ostream& out, std::ostream& err) {
  std::size_t width = 0;
  for (const StockList& list : lists) width = std::max(width, list.name.size());
  bool all_read = true;
  for (const StockList& list : lists) {
    const std::optional<ChannelList> read = ReadList(list.path.string(), err);
    all_read = all_read && read.has_value();
    if (!read) continue;
    const std::string count = std::to_string(ChannelCount(*read));
    out << list.name << std::string(width + 2 - list.name.size(), ' ')
        << std::string(count.size() < 3 ? 3 - count.size() : 0, ' ') << count << "  " << list.title
        << '\n';
  }
  return all_read;
}

// The stock lists of this program; none after saying where they were looked for.
std::vector<StockList> StockLists(std::ostream& err) {
  const std::filesystem::path program_dir = ProgramDirectory();
  std::vector<StockList> lists = FindStockLists(program_dir);
  if (lists.empty()) {
    err << "The stock lists were not found.\nLooked for:\n";
    for (const auto& candidate : DocumentCandidates(program_dir, kStockListIndex)) {
      err << candidate.string() << '\n';
    }
  }
  return lists;
}

// The path of the list to import: the file given, or the stock list named. Empty after saying why
// not on `err`.
std::string ListPath(const Arguments& args, std::ostream& err) {
  const std::string& given = args.positional()[0];
  if (!args.Has("--stock")) return given;
  const std::vector<StockList> lists = StockLists(err);
  if (lists.empty()) return {};
  if (const StockList* list = StockListNamed(lists, given)) return list->path.string();
  err << "talvirex import: there is no stock list \"" << given << "\"; the stock lists are:\n";
  ShowStockLists(lists, err, err);
  return {};
}

int ImportList(const ChannelList& list, const Arguments& args, CommandContext& context) {
  const auto from_text = args.Value("--from");
  const int from = from_text ? SmallIntValue(*from_text) : 0;
  const Settings settings = UserSettings();
  Document document;
  if (const auto into = args.Value("--into")) {
    if (!LoadChannelFileAsOpenDoes(document, settings, *into, context.err)) return kExitDataProblem;
  }
  std::vector<std::size_t> picked(list.entries.size());
  for (std::size_t i = 0; i < picked.size(); ++i) picked[i] = i;
  const bool by_location = !from_text && LocationsArePlaces(list, picked);
  const std::vector<ListPlacement> placements =
      by_location
          ? PlaceAtLocations(list, picked)
          : PlaceEntries(list, picked, from_text ? from : FirstEmptyChannel(document.table, 1));
  const std::vector<int> overwritten = OverwrittenChannels(document.table, placements);

  ReportEntries(list, RowsWithRoom(list, placements), context.err);
  if (!overwritten.empty() && !args.Has("--overwrite")) {
    context.err << ChannelNumbersText(overwritten) << (overwritten.size() == 1 ? " is" : " are")
                << " in use; nothing was written (--overwrite replaces them)\n";
    return kExitDataProblem;
  }
  if (!placements.empty()) {
    const auto [lowest, highest] = std::minmax_element(
        placements.begin(), placements.end(),
        [](const ListPlacement& a, const ListPlacement& b) { return a.channel < b.channel; });
    context.err << "Imported " << placements.size() << " channels"
                << (by_location ? " at their locations" : "") << ": " << lowest->channel << " to "
                << highest->channel << '\n';
  }
  if (const std::string no_room = NoRoomText(list, placements); !no_room.empty()) {
    context.err << no_room << '\n';
  }
  if (!overwritten.empty()) {
    context.err << ChannelNumbersText(overwritten) << (overwritten.size() == 1 ? " was" : " were")
                << " in use and overwritten\n";
  }
  const DefaultData defaults = LoadDefaultData(ReadTextOrEmpty(ProgramFolder() / "defdata.ini"));
  ImportEntries(document, list, placements, defaults, settings.hide_leading_zeros);
  // What Save does before it writes.
  SettleAsShown(document, settings);
  return WriteResult(ChannelFileBytes(document), args.Value("-o"), context);
}

int RunImport(CommandContext& context) {
  const Arguments args(context.args, {"-o", "--into", "--from"}, {"--overwrite", "--stock"});
  const bool stock = args.Has("--stock");
  if (stock && context.args.size() == 1) {
    const std::vector<StockList> lists = StockLists(context.err);
    return !lists.empty() && ShowStockLists(lists, context.out, context.err) ? kExitOk
                                                                             : kExitDataProblem;
  }
  const auto from_text = args.Value("--from");
  const int from = from_text ? SmallIntValue(*from_text) : 0;
  if (!args.ok() || args.positional().size() != 1 || !args.Value("-o") ||
      (from_text && (from < 1 || from > kChannelCount))) {
    context.err << "talvirex import: "
                << (!args.ok() ? args.error()
                    : args.positional().size() != 1
                        ? std::string(stock ? "need one stock list NAME and -o OUT.s2c"
                                            : "need one LIST.csv and -o OUT.s2c")
                    : !args.Value("-o") ? std::string("need -o OUT.s2c")
                                        : "--from takes a channel 1..200")
                << '\n';
    return kExitUsage;
  }
  const std::string path = ListPath(args, context.err);
  if (path.empty()) return kExitDataProblem;
  const std::optional<ChannelList> list = ReadList(path, context.err);
  return list ? ImportList(*list, args, context) : kExitDataProblem;
}

}  // namespace

extern const Command kImportCommand{
    "import",
    "import LIST.csv|--stock NAME [--into IN.s2c] [--from CHANNEL] [--overwrite] -o OUT.s2c",
    "bring a channel list from another radio tool into a channel file",
    "LIST is a CSV channel list whose header names its columns (Location, Name, Frequency, Tone,\n"
    "cToneFreq, DtcsCode, Skip, ...; only Frequency is required). Each row becomes a channel:\n"
    "the frequency corrected to the scanner's step, the name as the tag, the receive tone or DCS\n"
    "code as PL/DPL, Skip S as Lock Out; Delay, Beep Alert and ATT from the Delay, BeepAlert and\n"
    "Attenuator columns (On or Off, as csv --layout list writes them), else from the default\n"
    "data. Rows outside the scanner's bands are skipped; what did not come across is listed on\n"
    "standard error up to the row that fills channel 200, and the rows after it are counted.\n"
    "Where the rows go: when every row's Location is a channel 1..200 and no two share one, each\n"
    "row goes to its Location (so a list exported by csv --layout list comes back as it was);\n"
    "otherwise, or with --from, the rows fill the channels from CHANNEL on (default: the first\n"
    "empty channel), on into the following banks, never past 200.\n"
    "--stock     import the stock list NAME, installed with the program, instead of a file;\n"
    "            'talvirex import --stock' lists them: name, channels and title, one a line\n"
    "--into      add the rows to that channel file (else to an empty table); the result is saved\n"
    "            as Save saves it\n"
    "--overwrite replace channels in use; without it, a row meant for a channel in use writes\n"
    "            nothing, names the channels and exits with 2\n"
    "Exit status: 0 written, 1 usage, 2 a file that cannot be read, is no channel list or\n"
    "cannot be written, a stock list that does not exist (the others are listed), or channels\n"
    "in use would be overwritten.\n",
    RunImport};

}  // namespace talvirex::cli
