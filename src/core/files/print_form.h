// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing the table: the dialog `printie` ("Let's Print...") and `PrintBank`, one page a bank.
//
// A bank page, on a `PrintSink`: origin 1000 twips right of and 500 below the page corner, Arial
// 8.25 pt; the heading with the date, the bank's number, name and the file name; the column
// header over a thin line; the 20 channels with an empty line after the 10th and the 20th; and a
// footer near the page's foot that names the program and gives "Page n / total".

#include <string>
#include <string_view>

namespace talvirex {

struct Document;
class Ui;
class PrintSink;

inline constexpr std::string_view kPrintHeading = "Kelmora for Uniden SportCat 200 - ";
inline constexpr std::string_view kPrintFooterTitle = "TALVIREX";
inline constexpr int kPrintOriginX = 1000;  // twips
inline constexpr int kPrintOriginY = 500;

/// What `PrintBank` prints besides the table: the date in the platform's short form.
struct PrintContext {
  std::string date_text;
};

/// Prints bank slot `bank` (0..10) as page `page` of `total`. A failure of the sink ends the page
/// and is reported as "Problem in printerroutine bank: " with the slot, the error number and
/// description. Reads the document only.
void PrintBank(const Document& document, const PrintContext& context, PrintSink& sink, Ui& ui,
               int bank, int page, int total);

/// The logic of the dialog `printie`.
class PrintForm {
 public:
  /// The option buttons `Option1`, by their index.
  enum Option {
    kAllBanks = 2,    // "All Memory Banks"
    kActiveBank = 3,  // "Active Bank"
  };

  /// Opening selects "Active Bank".
  void Open() { option_ = kActiveBank; }
  void SelectOption(Option option) { option_ = option; }
  Option option() const { return option_; }

  /// "Print": the current bank as page 1 / 1, or Banks 1..10 as pages 1 / 10 .. 10 / 10, then the
  /// end of the job. Failures outside a bank page are reported as "Problem in printerroutine #1"
  /// and the command goes on. The dialog closes afterwards.
  void Print(const Document& document, int shown_bank, const PrintContext& context, PrintSink& sink,
             Ui& ui) const;

 private:
  Option option_ = kActiveBank;
};

}  // namespace talvirex
