// SPDX-License-Identifier: GPL-3.0-or-later
// talvirex csv IN.s2c [--bank N | --all] [--layout table|list] [-o OUT.csv]: the CSV export of the
// File menu, in the program's own layout or as a channel list.

#include <ostream>
#include <sstream>

#include "cli/bank_choice.h"
#include "cli/command.h"
#include "cli/command_io.h"
#include "cli/stream_ui.h"
#include "document.h"
#include "files/channel_list.h"
#include "files/csv_export.h"

namespace talvirex::cli {

namespace {

int RunCsv(CommandContext& context) {
  const Arguments args(context.args, {"-o", "--bank", "--layout"}, {"--all"});
  if (!args.ok() || args.positional().size() != 1) {
    context.err << "talvirex csv: " << (args.ok() ? "need one channel file IN.s2c" : args.error())
                << '\n';
    return kExitUsage;
  }
  const auto choice = ParseBankChoice(args, "csv", context.err);
  if (!choice) return kExitUsage;
  const std::string layout = args.Value("--layout").value_or("table");
  if (layout != "table" && layout != "list") {
    context.err << "talvirex csv: --layout takes table or list, not '" << layout << "'\n";
    return kExitUsage;
  }

  Document document;
  if (!LoadChannelFileAsOpenDoes(document, UserSettings(), args.positional()[0], context.err)) {
    return kExitDataProblem;
  }
  ExportCsvForm form;
  form.Open();
  if (choice->all) form.SelectOption(ExportCsvForm::kAllBanks);

  StreamUi ui(context.err, false);
  std::ostringstream text;
  if (layout == "list") {
    text << ChannelListText(document.table, form.BanksToExport(choice->slot));
  } else if (const auto failure =
                 WriteCsv(document.table, form.BanksToExport(choice->slot), text, ui)) {
    ui.Tell(RoutineFailureText("Problem in export routine 1.", *failure));
    return kExitDataProblem;
  }
  const auto out_path = args.Value("-o");
  if (!out_path) {
    context.out << text.str();
    return context.out ? kExitOk : kExitDataProblem;
  }
  // Named as every other command names a file it could not write (a read-only one included).
  return WriteResult(text.str(), out_path, context);
}

}  // namespace

extern const Command kCsvCommand{
    "csv", "csv IN.s2c [--bank N | --all] [--layout table|list] [-o OUT.csv]",
    "export the channels of one bank or of Banks 1..10 as CSV",
    "--bank N   the bank to export: 1..10, or D for the Dummy bank (Bank 1 by default;\n"
    "           a channel file never holds the Dummy bank, so it exports empty lines)\n"
    "--all      Banks 1..10\n"
    "-o FILE    write the CSV there (exactly that name); without it, to standard output\n"
    "--layout   table (the default): Windows-1252 text with CR LF line ends, a header line and\n"
    "           20 lines a bank; list: the channel-list layout other radio tools read, one row\n"
    "           for each channel in use (UTF-8, CR LF), Location the channel number, and after\n"
    "           the layout's columns Delay, BeepAlert and Attenuator (On or Off), which import\n"
    "           reads back\n",
    RunCsv};

}  // namespace talvirex::cli
