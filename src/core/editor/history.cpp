// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/history.h"

#include <algorithm>

#include "document.h"
#include "editor/grid_bridge.h"
#include "model/shown_text.h"
#include "ports/ui.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex {

namespace {

std::size_t HeapBytes(const std::string& text) {
  return text.capacity() > 15 ? text.capacity() + 1 : 0;  // short texts live inside the string
}

}  // namespace

History::Lists History::ListsOf(const Document& document) {
  return {document.bank_names, document.priority, document.scanner_settings, document.search_range};
}

void History::PutLists(const Lists& lists, Document& document) {
  document.bank_names = lists.bank_names;
  document.priority = lists.priority;
  document.scanner_settings = lists.scanner_settings;
  document.search_range = lists.search_range;
}

void History::Reset(const ChannelTable& table, const Document& document) {
  steps_.clear();
  position_ = 0;
  bytes_ = 0;
  Rebase(table, document);
  file_data_ = std::make_shared<const std::string>(DataText(table, document));
}

void History::Rebase(const ChannelTable& table, const Document& document) {
  baseline_table_ = table;
  baseline_lists_ = ListsOf(document);
  baseline_data_ = DataText(table, document, true);
}

History::Step History::CellsChangedSince(const ChannelTable& table) const {
  Step step;
  for (int bank = 0; bank < kBankSlots; ++bank) {
    for (int row = 0; row < kRows; ++row) {
      for (int field = 0; field < kFields; ++field) {
        const std::string& before = baseline_table_.At(bank, row, field);
        const std::string& after = table.At(bank, row, field);
        if (before == after) continue;
        step.cells.push_back({bank, row, field, before, after});
        StepPlace& place = step.place;  // the banks come in order: the first one is the lowest
        if (place.bank < 0) place = {{}, bank, row, row};
        if (bank == place.bank) {
          place.first_row = std::min(place.first_row, row);
          place.last_row = std::max(place.last_row, row);
        }
      }
    }
  }
  return step;
}

bool History::Record(const ChannelTable& table, const Document& document, std::string_view name) {
  Step step = CellsChangedSince(table);
  const Lists lists = ListsOf(document);
  if (lists != baseline_lists_) {
    step.lists_before = baseline_lists_;
    step.lists_after = lists;
  }
  if (step.cells.empty() && !step.lists_after) return false;
  std::string data = DataText(table, document, true);
  if (data == baseline_data_) {  // the same data in another form: nothing to undo
    Rebase(table, document);
    return false;
  }
  step.name = name;
  baseline_data_ = std::move(data);
  Push(std::move(step), table, lists);
  return true;
}

void History::RecordReplacement(const ChannelTable& table, const Document& document,
                                std::string_view name, const std::string& previous_file_name) {
  auto data = std::make_shared<const std::string>(DataText(table, document));
  std::string data_with_dummy = DataText(table, document, true);
  if (previous_file_name == document.file_name && data_with_dummy == baseline_data_ &&
      *data == *file_data_) {  // the same document again (New on a new one): nothing to undo
    Rebase(table, document);
    return;
  }
  Step step = CellsChangedSince(table);
  step.name = name;
  const Lists lists = ListsOf(document);
  step.lists_before = baseline_lists_;
  step.lists_after = lists;
  step.file_before = FileState{previous_file_name, file_data_};
  step.file_after = FileState{document.file_name, data};
  if (!IsUntitled(document)) FileHolds(document.file_name, data);
  file_data_ = std::move(data);
  baseline_data_ = std::move(data_with_dummy);
  Push(std::move(step), table, lists);
}

void History::Push(Step step, const ChannelTable& table, const Lists& lists) {
  step.place.name = step.name;
  step.place.first_row = std::clamp(step.place.first_row, 1, kChannelsPerBank);
  step.place.last_row = std::clamp(step.place.last_row, 1, kChannelsPerBank);
  while (steps_.size() > position_) {  // a new change after an undo: the redo steps go
    bytes_ -= std::min(bytes_, StepBytes(steps_.back()));
    steps_.pop_back();
  }
  bytes_ += StepBytes(step);
  steps_.push_back(std::move(step));
  ++position_;
  baseline_table_ = table;
  baseline_lists_ = lists;
  while (steps_.size() > kMaxSteps || (bytes_ > kMaxBytes && steps_.size() > 1)) DropOldest();
}

void History::Saved(const ChannelTable& table, const Document& document) {
  auto data = std::make_shared<const std::string>(DataText(table, document));
  FileHolds(document.file_name, data);
  file_data_ = std::move(data);
}

void History::FileHolds(const std::string& file, const std::shared_ptr<const std::string>& data) {
  for (Step& step : steps_) {
    for (std::optional<FileState>* state : {&step.file_before, &step.file_after}) {
      if (*state && (*state)->name == file) (*state)->data = data;
    }
  }
}

bool History::Unsaved(const ChannelTable& table, const Document& document) const {
  return DataText(table, document) != *file_data_;
}

bool History::HasOpenEdit(const ChannelTable& table, const Document& document) const {
  return DataText(table, document, true) != baseline_data_;
}

std::size_t History::StepBytes(const Step& step) {
  std::size_t bytes = sizeof(Step) + HeapBytes(step.name) + HeapBytes(step.place.name) +
                      step.cells.capacity() * sizeof(CellChange);
  for (const CellChange& change : step.cells)
    bytes += HeapBytes(change.before) + HeapBytes(change.after);
  if (step.lists_after) bytes += 2 * sizeof(Lists);
  // The file data is shared with the history's other states of that file; it is counted once
  // for each step that replaced the document, which overstates it a little.
  if (step.file_after) bytes += step.file_after->data->capacity();
  return bytes;
}

void History::DropOldest() {
  bytes_ -= std::min(bytes_, StepBytes(steps_.front()));
  steps_.pop_front();
  --position_;
}

std::string_view History::UndoName() const {
  return CanUndo() ? std::string_view(steps_[position_ - 1].name) : std::string_view();
}

std::string_view History::RedoName() const {
  return CanRedo() ? std::string_view(steps_[position_].name) : std::string_view();
}

void History::Apply(const Step& step, bool forward, Document& document) {
  for (const CellChange& change : step.cells) {
    document.table.At(change.bank, change.row, change.field) =
        forward ? change.after : change.before;
  }
  if (step.lists_after) PutLists(forward ? *step.lists_after : *step.lists_before, document);
  if (const auto& file = forward ? step.file_after : step.file_before) {
    document.file_name = file->name;
    file_data_ = file->data;
  }
  Rebase(document.table, document);
}

std::optional<StepPlace> History::Undo(Document& document) {
  if (!CanUndo()) return std::nullopt;
  const Step& step = steps_[--position_];
  Apply(step, false, document);
  return step.place;
}

std::optional<StepPlace> History::Redo(Document& document) {
  if (!CanRedo()) return std::nullopt;
  const Step& step = steps_[position_++];
  Apply(step, true, document);
  return step.place;
}

std::size_t History::Bytes() const { return bytes_; }

namespace {

// The table as the user sees it: the shown bank as committing its grid would store it.
ChannelTable ShownTable(const Workspace& workspace) {
  ChannelTable table = workspace.table;
  for (int row = 1; row <= kChannelsPerBank; ++row) StoreGridRow(workspace, row, table);
  return table;
}

}  // namespace

bool RecordStep(Workspace& workspace, std::string_view name) {
  return workspace.history.Record(ShownTable(workspace), workspace, name);
}

void RecordStep(Workspace& workspace, Ui& ui, std::string_view name) {
  if (RecordStep(workspace, name)) ui.SetStatus("Undo: " + std::string(name));
}

bool RecordTableStep(Workspace& workspace, std::string_view name) {
  ChannelTable table = workspace.table;
  const int bank = workspace.current_bank;
  if (bank >= 0 && bank <= kDummyBank) {
    SettleBank(table, bank, workspace.settings.hide_leading_zeros,
               workspace.settings.easy_tag_lists);
  }
  return workspace.history.Record(table, workspace, name);
}

void SettleShownBank(Workspace& workspace) {
  workspace.history.Rebase(ShownTable(workspace), workspace);
}

void ResetHistory(Workspace& workspace) {
  workspace.history.Reset(ShownTable(workspace), workspace);
}

void RecordReplacement(Workspace& workspace, Ui& ui, std::string_view name,
                       const std::string& previous_file_name) {
  workspace.history.RecordReplacement(ShownTable(workspace), workspace, name, previous_file_name);
  ui.SetStatus("Undo: " + std::string(name));
}

void DocumentSaved(Workspace& workspace) {
  workspace.history.Saved(ShownTable(workspace), workspace);
}

bool UnsavedChanges(const Workspace& workspace) {
  return workspace.history.Unsaved(ShownTable(workspace), workspace);
}

bool HasOpenEdit(const Workspace& workspace) {
  return workspace.history.HasOpenEdit(ShownTable(workspace), workspace);
}

std::string EditStepName(const Workspace& workspace) {
  const int row = std::clamp(workspace.grid.current.row, 1, kChannelsPerBank);
  if (workspace.current_bank == kDummyBank) return "Edit Dummy Row " + IntText(row);
  return "Edit Channel " + IntText(ChannelNumber(workspace.current_bank, row));
}

}  // namespace talvirex
