// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/csv_import_form.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "document.h"
#include "model/numeric_value.h"
#include "ports/clipboard.h"
#include "ports/ui.h"
#include "text/text.h"

namespace talvirex {

namespace {

// Clears the busy pointer and the progress display when a scan ends, however it ends.
class BusyScope {
 public:
  explicit BusyScope(Ui& ui) : ui_(ui) { ui_.SetBusy(true); }
  ~BusyScope() {
    ui_.ShowProgress(0, 0);
    ui_.SetBusy(false);
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  Ui& ui_;
};

constexpr std::uintmax_t kProgressFrom = 8u << 20;  // files smaller than this show no progress

}  // namespace

void CsvImportForm::Open(int shown_bank) {
  found_.Clear();
  selected_.clear();
  clipboard_text_.clear();
  start_text_ = "1";
  bank_ = shown_bank >= 0 && shown_bank < kScannerBanks ? shown_bank : 0;
}

void CsvImportForm::ImportFromFile(Ui& ui) {
  const auto path = ui.OpenFile(FileDialog{std::string(kImportFilter), {}, false});
  if (!path) return;
  found_.Clear();
  selected_.clear();
  ScanFile(*path, ui);
}

void CsvImportForm::ScanFile(const std::string& path, Ui& ui) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return;
  std::ifstream in(path, std::ios::binary);
  if (!in) return;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  const bool show_progress = !ec && size >= kProgressFrom;
  BusyScope busy(ui);
  Harvester harvester(found_);
  harvester.ScanStream(in, [&](std::size_t done) {
    if (show_progress)
      ui.ShowProgress(static_cast<int>(std::min<std::uintmax_t>(done, size) * 100 / size), 100);
  });
}

void CsvImportForm::ScanText(std::string_view text, Ui& ui) {
  Harvester harvester(found_);
  if (harvester.Full()) return;
  BusyScope busy(ui);
  harvester.ScanText(text);
}

void CsvImportForm::ImportFromClipboard(Clipboard& clipboard, Ui& ui) {
  clipboard_text_ = Utf8Left(clipboard.GetText(), kClipboardLimit);
  ScanText(clipboard_text_, ui);
}

void CsvImportForm::MoveToSelected(std::optional<std::size_t> index, Ui& ui) {
  if (!index || *index >= found_.size()) {
    ui.Tell("Select an item from the left list.");
    return;
  }
  selected_.push_back(found_.RemoveAt(*index));
}

void CsvImportForm::MoveToFound(std::optional<std::size_t> index, Ui& ui) {
  if (!index || *index >= selected_.size()) {
    ui.Tell("Select an item from the right list.");
    return;
  }
  found_.Append(std::move(selected_[*index]));
  selected_.erase(selected_.begin() + static_cast<std::ptrdiff_t>(*index));
}

void CsvImportForm::MoveAllToSelected() {
  for (const std::string& entry : found_.entries()) selected_.push_back(entry);
  found_.Clear();
}

void CsvImportForm::MoveAllToFound() {
  for (std::string& entry : selected_) found_.Append(std::move(entry));
  selected_.clear();
}

void CsvImportForm::MoveTwentyToSelected() {
  for (int i = 0; i < kRowsPerExport && !found_.empty(); ++i)
    selected_.push_back(found_.RemoveAt(0));
}

void CsvImportForm::ClearFound() { found_.Clear(); }

void CsvImportForm::ClearSelected() { selected_.clear(); }

void CsvImportForm::SelectBank(int index) { bank_ = std::clamp(index, 0, kDummyBank); }

void CsvImportForm::LeaveStartField() {
  const double value = NumericValue(start_text_);
  if (value > kChannelsPerBank) start_text_ = IntText(kChannelsPerBank);
  if (value < 1) start_text_ = "1";
}

std::string CsvImportForm::StartChannelText() const {
  return ShortestDecimal(bank_ * kChannelsPerBank + NumericValue(start_text_));
}

bool CsvImportForm::ConfirmEmptySelection(Ui& ui, const std::string& question) const {
  if (found_.empty() || !selected_.empty()) return true;
  return ui.Ask(Message{question, "?", Buttons::kYesNo, Icon::kQuestion}) == Answer::kYes;
}

bool CsvImportForm::ExportToTable(Document& document, Ui& ui) const {
  if (!ConfirmEmptySelection(ui, "You did not select any frequencies. Close this window anyway?")) {
    return false;
  }
  const int count = static_cast<int>(std::min<std::size_t>(selected_.size(), kRowsPerExport));
  const double start_value = NumericValue(start_text_);
  const int start = start_value < 1 ? 1 : static_cast<int>(std::min(std::floor(start_value), 21.0));
  for (int i = 0; i < count && start + i <= kChannelsPerBank; ++i) {
    document.table.At(bank_, start + i, kFieldFrequency) = selected_[static_cast<std::size_t>(i)];
  }
  return true;
}

bool CsvImportForm::ExportToClipboard(Clipboard& clipboard, Ui& ui) const {
  if (!ConfirmEmptySelection(ui, "You did not select any frequencies.")) return false;
  std::string text;
  for (std::size_t i = 0; i < selected_.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += selected_[i];
  }
  clipboard.SetText(text);
  return true;
}

}  // namespace talvirex
