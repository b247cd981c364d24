// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/print_form.h"

#include <optional>
#include <vector>

#include "document.h"
#include "files/csv_export.h"
#include "model/channel_table.h"
#include "ports/print_sink.h"
#include "ports/ui.h"
#include "text/text.h"

namespace talvirex {

namespace {

// Character columns of the listing.
constexpr int kNumberColumn = 1;
constexpr int kEmptyColumn = 8;
constexpr int kFrequencyColumn = 7;
constexpr int kTagColumn = 21;
constexpr int kDelayColumn = 52;
constexpr int kLockOutColumn = 60;
constexpr int kSubtoneColumn = 70;
constexpr int kBeepColumn = 79;
constexpr int kAttColumn = 88;

constexpr int kRuleGap = 100;          // twips between the column header and the line under it
constexpr int kRuleMargin = 2000;      // the line stops this far short of the page width
constexpr int kFooterDistance = 3000;  // the footer stands this far above the page height

std::string OnOffText(const std::string& stored) {
  if (stored == "0") return "Off";
  if (stored == "1") return "On";
  return {};
}

std::string SubtoneColumnText(const std::string& stored) {
  const std::string text = SubtoneText(stored);
  return text.empty() ? "--" : text;
}

std::string BankLine(int bank) {
  if (bank == kDummyBank) return "Bank: Dummy";
  return "Bank: " + IntText(bank + 1);
}

std::string FailureText(const std::string& lead, const PrintFailure& failure) {
  return RoutineFailureText(lead, IoError{failure.code, failure.description});
}

// Prints one page line by line; a failure of the sink ends the page.
class PagePrinter {
 public:
  PagePrinter(const Document& document, PrintSink& sink) : ws_(document), sink_(sink) {}

  std::optional<PrintFailure> Print(const PrintContext& context, int bank, int page, int total) {
    sink_.SetOrigin(kPrintOriginX, kPrintOriginY);
    sink_.SetFont("Arial", 8.25);
    if (!Line({{1, std::string(kPrintHeading) + context.date_text}})) return failure_;
    if (!Line({})) return failure_;
    if (!Line({{1, BankLine(bank)}})) return failure_;
    if (!Line({{1, "Bankname: " + ws_.bank_names.at(static_cast<std::size_t>(bank))}}))
      return failure_;
    if (!Line({{1, "Filename: " + ws_.file_name}})) return failure_;
    if (!Line({})) return failure_;
    if (!Line({{kFrequencyColumn, "Frequency"},
               {kTagColumn, "Tag"},
               {kDelayColumn, "Delay"},
               {kLockOutColumn, "Lock Out"},
               {kSubtoneColumn, "PL/DPL"},
               {kBeepColumn, "Beep"},
               {kAttColumn, "ATT"}})) {
      return failure_;
    }
    sink_.MoveDown(kRuleGap);
    if (sink_.PageWidth() >= kRuleMargin) sink_.Line(0, sink_.PageWidth() - kRuleMargin);
    for (int row = 1; row <= kChannelsPerBank; ++row) {
      if (!Line(RowPieces(bank, row))) return failure_;
      if ((row == 10 || row == 20) && !Line({})) return failure_;
    }
    if (!Line({}) || !Line({})) return failure_;
    if (sink_.PageHeight() >= kFooterDistance) {
      sink_.MoveTo(sink_.PageHeight() - kFooterDistance);
      const std::string footer = std::string(kPrintFooterTitle) + "   ---   Page " + IntText(page) +
                                 " / " + IntText(total);
      if (!Line({{1, footer}})) return failure_;
    }
    return std::nullopt;
  }

 private:
  struct Piece {
    int column;
    std::string text;
  };

  std::vector<Piece> RowPieces(int bank, int row) const {
    const auto field = [&](int f) -> const std::string& { return ws_.table.At(bank, row, f); };
    std::vector<Piece> pieces{{kNumberColumn, IntText(bank * kChannelsPerBank + row) + ": "}};
    if (ws_.table.FrequencyValue(bank, row) <= 0) {
      pieces.push_back({kEmptyColumn, "Empty"});
      return pieces;
    }
    pieces.push_back({kFrequencyColumn, field(kFieldFrequency)});
    pieces.push_back({kTagColumn, field(kFieldTag)});
    pieces.push_back({kDelayColumn, OnOffText(field(kFieldDelay))});
    pieces.push_back({kLockOutColumn, OnOffText(field(kFieldLockOut))});
    pieces.push_back({kSubtoneColumn, SubtoneColumnText(field(kFieldSubtone))});
    pieces.push_back({kBeepColumn, OnOffText(field(kFieldBeepAlert))});
    pieces.push_back({kAttColumn, OnOffText(field(kFieldAtt))});
    return pieces;
  }

  // Prints the pieces as one line; false when the sink failed.
  bool Line(const std::vector<Piece>& pieces) {
    for (const Piece& piece : pieces) {
      if (!piece.text.empty()) sink_.TextAt(piece.column, piece.text);
    }
    sink_.NewLine();
    failure_ = sink_.TakeFailure();
    return !failure_;
  }

  const Document& ws_;
  PrintSink& sink_;
  std::optional<PrintFailure> failure_;
};

}  // namespace

void PrintBank(const Document& document, const PrintContext& context, PrintSink& sink, Ui& ui,
               int bank, int page, int total) {
  PagePrinter printer(document, sink);
  if (const auto failure = printer.Print(context, bank, page, total)) {
    ui.Tell(FailureText("Problem in printerroutine bank: " + IntText(bank), *failure));
  }
}

void PrintForm::Print(const Document& document, int shown_bank, const PrintContext& context,
                      PrintSink& sink, Ui& ui) const {
  const auto report = [&] {
    if (const auto failure = sink.TakeFailure()) {
      ui.Tell(FailureText("Problem in printerroutine #1", *failure));
    }
  };
  if (option_ == kAllBanks) {
    for (int bank = 0; bank < kScannerBanks; ++bank) {
      PrintBank(document, context, sink, ui, bank, bank + 1, kScannerBanks);
      // The page break after the last bank would only feed an empty sheet.
      if (bank + 1 < kScannerBanks) {
        sink.NewPage();
        report();
      }
    }
  } else {
    PrintBank(document, context, sink, ui, shown_bank, 1, 1);
  }
  sink.EndJob();
  report();
}

}  // namespace talvirex
