// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/duplicates.h"

#include <fstream>
#include <vector>

#include "editor/grid_bridge.h"
#include "editor/line_commands.h"
#include "files/file_io.h"
#include "model/numeric_value.h"
#include "ports/ui.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex {

namespace {

struct Candidate {
  int number;  // the channel number shown in the report
  int bank;
  int row;
};

std::vector<Candidate> Candidates(const Workspace& ws, DuplicateSearch search) {
  std::vector<Candidate> candidates;
  if (search == DuplicateSearch::kCurrentBank) {
    const int bank = ws.current_bank;
    if (bank < 0 || bank > kDummyBank) return candidates;
    for (int row = 1; row <= kChannelsPerBank; ++row) {
      if (ws.table.FrequencyValue(bank, row) != 0) {
        candidates.push_back({ChannelNumber(bank, row), bank, row});
      }
    }
    return candidates;
  }
  for (int number = 1; number <= kChannelCount; ++number) {
    if (ws.table.FrequencyValue(BankOf(number), RowOf(number)) != 0) {
      candidates.push_back({number, BankOf(number), RowOf(number)});
    }
  }
  return candidates;
}

bool SameSubtone(const ChannelTable& table, const Candidate& a, const Candidate& b) {
  return SmallIntValue(table.At(a.bank, a.row, kFieldSubtone)) ==
         SmallIntValue(table.At(b.bank, b.row, kFieldSubtone));
}

}  // namespace

std::string DuplicateMessage(int first, int second, std::string_view frequency) {
  return "Duplicate Channel Found: " + IntText(first) + " and " + IntText(second) + " / " +
         "Frequency: " + std::string(frequency);
}

int FindDuplicates(Workspace& ws, Ui& ui, DuplicateSearch search,
                   const std::filesystem::path& report_folder) {
  CommitBank(ws, ui);
  // The report is the program's own file and fails silently, but a copy the user has made
  // read-only is left as it is.
  const auto report_path = report_folder / kDuplicateReportFile;
  std::ofstream report;
  if (!IsReadOnlyFile(report_path)) report.open(report_path, std::ios::binary | std::ios::trunc);
  const std::vector<Candidate> candidates = Candidates(ws, search);
  int reported = 0;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    const Candidate& a = candidates[i];
    const std::string& frequency = ws.table.At(a.bank, a.row, kFieldFrequency);
    for (std::size_t j = i + 1; j < candidates.size(); ++j) {
      const Candidate& b = candidates[j];
      if (ws.table.At(b.bank, b.row, kFieldFrequency) != frequency) continue;
      if (search == DuplicateSearch::kWithSubtone && !SameSubtone(ws.table, a, b)) continue;
      const std::string message = DuplicateMessage(a.number, b.number, frequency);
      if (report) report << message << "\r\n";
      ++reported;
      const Answer answer = ui.Ask({message, {}, Buttons::kOkCancel, Icon::kInformation});
      if (answer == Answer::kCancel) return reported;
    }
  }
  return reported;
}

int RemoveDuplicates(Workspace& ws, Ui& ui) {
  TakeSnapshot(ws, ui);
  const int bank = ws.current_bank;
  int emptied = 0;
  if (bank >= 0 && bank <= kDummyBank) {
    for (int i = 1; i <= kChannelsPerBank; ++i) {
      if (ws.table.FrequencyValue(bank, i) == 0) continue;
      const std::string frequency = ws.table.At(bank, i, kFieldFrequency);
      for (int j = i + 1; j <= kChannelsPerBank; ++j) {
        std::string& other = ws.table.At(bank, j, kFieldFrequency);
        if (ws.table.FrequencyValue(bank, j) != 0 && other == frequency) {
          other.clear();
          ++emptied;
        }
      }
    }
  }
  RenderBank(ws, ui);
  return emptied;
}

}  // namespace talvirex
