// SPDX-License-Identifier: GPL-3.0-or-later
// talvirex print IN.s2c [--bank N | --all] --pdf OUT.pdf: the print-out of the File menu as a PDF.

#include <QApplication>
#include <cstdlib>
#include <ostream>

#include "cli/bank_choice.h"
#include "cli/command.h"
#include "cli/command_io.h"
#include "cli/stream_ui.h"
#include "document.h"
#include "files/file_io.h"
#include "files/print_form.h"
#include "platform/qt_print_sink.h"

namespace talvirex::cli {

namespace {

// Counts the messages, so that a failed print ends with a failing exit status.
class CountingUi final : public Ui {
 public:
  explicit CountingUi(std::ostream& err) : inner_(err, false) {}
  Answer Ask(const Message& message) override {
    ++messages;
    return inner_.Ask(message);
  }
  std::optional<std::string> OpenFile(const FileDialog&) override { return std::nullopt; }
  std::optional<std::string> SaveFile(const FileDialog&) override { return std::nullopt; }
  int messages = 0;

 private:
  StreamUi inner_;
};

int RunPrint(CommandContext& context) {
  const Arguments args(context.args, {"--pdf", "--bank"}, {"--all"});
  if (!args.ok() || args.positional().size() != 1 || !args.Value("--pdf")) {
    context.err << "talvirex print: "
                << (args.ok() ? "need IN.s2c and --pdf OUT.pdf" : args.error()) << '\n';
    return kExitUsage;
  }
  const auto choice = ParseBankChoice(args, "print", context.err);
  if (!choice) return kExitUsage;
  // The printer writes the PDF in place, past the safe save's own refusal of a read-only file.
  const std::string pdf_path = *args.Value("--pdf");
  if (IsReadOnlyFile(pdf_path)) {
    context.err << "The file could not be saved:\n" << pdf_path << '\n' << kReadOnlyReason << '\n';
    return kExitDataProblem;
  }
  Document document;
  if (!LoadChannelFileAsOpenDoes(document, UserSettings(), args.positional()[0], context.err)) {
    return kExitDataProblem;
  }

  // Fonts and the printer need a GUI application; without a display it runs offscreen.
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
  int argc = 1;
  char name[] = "talvirex";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);

  QtPrintSink sink(QString::fromStdString(pdf_path));
  PrintForm form;
  form.Open();
  if (choice->all) form.SelectOption(PrintForm::kAllBanks);
  CountingUi ui(context.err);
  form.Print(document, choice->slot, PrintContext{ShortDateToday()}, sink, ui);
  return ui.messages == 0 ? kExitOk : kExitDataProblem;
}

}  // namespace

extern const Command kPrintCommand{
    "print", "print IN.s2c [--bank N | --all] --pdf OUT.pdf",
    "print one bank or Banks 1..10 into a PDF file",
    "--bank N   the bank to print: 1..10, or D for the Dummy bank (Bank 1 by default)\n"
    "--all      Banks 1..10, one page each\n"
    "--pdf FILE the PDF to write\n",
    RunPrint};

}  // namespace talvirex::cli
