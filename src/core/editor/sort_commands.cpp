// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/sort_commands.h"

#include <algorithm>
#include <exception>
#include <new>
#include <stdexcept>
#include <system_error>

#include "editor/grid_bridge.h"
#include "editor/line_commands.h"
#include "model/numeric_value.h"
#include "ports/ui.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex {

namespace {

constexpr std::string_view kEmptyMarker = "Empty";

// The error number shown with a failure: the system's own code where there is one, else the
// program's number for the kind of failure.
int ErrorNumber(const std::exception& error) {
  if (const auto* system = dynamic_cast<const std::system_error*>(&error)) {
    return system->code().value();
  }
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return 7;
  if (dynamic_cast<const std::out_of_range*>(&error) != nullptr) return 9;
  return 5;
}

struct RowRange {
  int first = 1;
  int last = 0;  // last < first: no rows
};

RowRange SortRange(const Grid& grid) {
  const int first = std::clamp(grid.TopRow(), 1, kChannelsPerBank);
  const int last = std::clamp(grid.BottomRow(), 1, kChannelsPerBank);
  if (first == last) return {1, kChannelsPerBank};
  return {first, last};
}

std::vector<ChannelRecord> ReadRecords(const ChannelTable& table, int bank, RowRange range) {
  std::vector<ChannelRecord> records;
  for (int row = range.first; row <= range.last; ++row) {
    ChannelRecord& record = records.emplace_back();
    for (int field = kFieldFrequency; field <= kFieldAtt; ++field) {
      record[field - 1] = table.At(bank, row, field);
    }
  }
  return records;
}

bool WriteRecords(ChannelTable& table, int bank, RowRange range,
                  const std::vector<ChannelRecord>& records) {
  bool changed = false;
  for (int row = range.first; row <= range.last; ++row) {
    const ChannelRecord& record = records.at(static_cast<std::size_t>(row - range.first));
    for (int field = kFieldFrequency; field <= kFieldAtt; ++field) {
      std::string& cell = table.At(bank, row, field);
      if (cell != record[field - 1]) {
        cell = record[field - 1];
        changed = true;
      }
    }
  }
  return changed;
}

}  // namespace

void SortRecords(std::vector<ChannelRecord>& records, SortOrder order) {
  std::vector<std::pair<double, ChannelRecord>> keyed;
  keyed.reserve(records.size());
  for (auto& record : records) keyed.emplace_back(NumericValue(record[0]), std::move(record));
  const bool ascending = order == SortOrder::kAscending;
  std::stable_sort(keyed.begin(), keyed.end(), [ascending](const auto& a, const auto& b) {
    return ascending ? a.first < b.first : a.first > b.first;
  });
  std::size_t leading_empty = 0;
  while (leading_empty < keyed.size() && keyed[leading_empty].first == 0) ++leading_empty;
  records.clear();
  for (std::size_t i = leading_empty; i < keyed.size(); ++i) {
    records.push_back(std::move(keyed[i].second));
  }
  for (std::size_t i = 0; i < leading_empty; ++i) {
    ChannelRecord& empty = records.emplace_back();
    empty[0] = kEmptyMarker;
  }
}

void SortBank(Workspace& ws, Ui& ui, SortOrder order) {
  const RowRange range = SortRange(ws.grid);
  const int bank = ws.current_bank;
  TakeSnapshot(ws, ui);
  try {
    ui.SetBusy(true);
    std::vector<ChannelRecord> records = ReadRecords(ws.table, bank, range);
    ui.ShowProgress(0, kChannelsPerBank);
    SortRecords(records, order);
    ui.ShowProgress(kChannelsPerBank, kChannelsPerBank);
    WriteRecords(ws.table, bank, range, records);
  } catch (const std::exception& error) {
    ui.ShowProgress(0, 0);
    ui.SetBusy(false);
    const std::string lead =
        order == SortOrder::kAscending ? "System Error - sort_all: " : "System Error - sort_alld: ";
    ui.Tell(lead + IntText(ErrorNumber(error)) + " " + error.what());
    RenderBank(ws, ui);
    return;
  }
  ui.ShowProgress(0, 0);
  ui.SetBusy(false);
  RenderBank(ws, ui);
}

}  // namespace talvirex
