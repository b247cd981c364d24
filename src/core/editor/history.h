// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Undo and Redo for every change of the document: the channel table of all banks, the bank names,
// the priority channels, the scanner options and the search range (not the settings). Each user
// action that changed the data is one step; a step keeps only the values it changed, before and
// after, so that many steps cost little. The history compares the document with a copy of it as
// it stood after the last step, so no command has to say what it changes; a change of form alone
// (a frequency redrawn without its leading zeros) is no step.
//
// The history also knows which file the document belongs to and what that file holds, as the
// program last wrote or read it. A step that replaced the whole document (New, Open, a read from
// the scanner) keeps the file name and file data on both sides, so that its Undo brings back the
// previous document under its own name: a Save after it never writes one file's channels into
// another file. The unsaved flag is not kept anywhere; it is the question whether the document's
// data differs from what its file holds (`UnsavedChanges`).

#include <array>
#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/channel_table.h"

namespace talvirex {

struct Document;
struct Workspace;
class Ui;

/// Where a step changed things, for showing it: the bank (the lowest one it changed, or -1 when
/// it changed no channel) and the first and last row changed there.
struct StepPlace {
  std::string name;
  int bank = -1;
  int first_row = 0;
  int last_row = 0;
};

class History {
 public:
  static constexpr std::size_t kMaxSteps = 1000;
  static constexpr std::size_t kMaxBytes = 10u << 20;

  /// Forgets every step; the document as it is becomes what its file holds and the baseline.
  /// `table` is the document's table as the user sees it (the shown bank as its grid shows it).
  void Reset(const ChannelTable& table, const Document& document);
  /// One step named `name` of what changed since the baseline; false when no data did (a change
  /// of form becomes the baseline without a step). Drops the steps that could have been redone.
  bool Record(const ChannelTable& table, const Document& document, std::string_view name);
  /// One step named `name` that replaced the document: its table, lists and file name (which was
  /// `previous_file_name`). The document as it is now is what its file holds. A step even when
  /// only the name changed, so that Undo brings back the previous document under its own name;
  /// none when nothing changed at all.
  void RecordReplacement(const ChannelTable& table, const Document& document, std::string_view name,
                         const std::string& previous_file_name);
  /// The document's data as it is now was written to the document's file.
  void Saved(const ChannelTable& table, const Document& document);
  /// True when the document's data differs from what its file holds (or, for "Untitled", from
  /// what the document held when it was made).
  bool Unsaved(const ChannelTable& table, const Document& document) const;
  /// True when the document's data differs from the baseline's: an edit not yet a step.
  bool HasOpenEdit(const ChannelTable& table, const Document& document) const;
  /// Takes the document as it is as the baseline without a step (for changes of form only, such
  /// as a bank's texts settled when it is shown, or a save's clean-up).
  void Rebase(const ChannelTable& table, const Document& document);

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < steps_.size(); }
  /// The step Undo (Redo) would take back (do again); "" when none.
  std::string_view UndoName() const;
  std::string_view RedoName() const;

  /// Puts back the values the last step changed (the step after the position, for Redo); a step
  /// that replaced the document also brings back the file name and what that file holds.
  std::optional<StepPlace> Undo(Document& document);
  std::optional<StepPlace> Redo(Document& document);

  std::size_t steps() const { return steps_.size(); }
  /// How many steps are done (Undo takes back the one before it).
  std::size_t position() const { return position_; }
  /// What the steps hold, in bytes (the strings' heap and the step records).
  std::size_t Bytes() const;

 private:
  struct Lists {
    std::array<std::string, 12> bank_names;
    std::array<int, 11> priority{};
    std::array<int, 21> scanner_settings{};
    std::array<std::string, 3> search_range;
    friend bool operator==(const Lists&, const Lists&) = default;
  };
  // A document's file: its name and its data (`DataText`) as the file holds it.
  struct FileState {
    std::string name;
    std::shared_ptr<const std::string> data;
  };
  struct CellChange {
    int bank = 0, row = 0, field = 0;
    std::string before, after;
  };
  struct Step {
    std::string name;
    std::vector<CellChange> cells;
    std::optional<Lists> lists_before, lists_after;
    std::optional<FileState> file_before, file_after;  // a step that replaced the document
    StepPlace place;
  };

  static Lists ListsOf(const Document& document);
  static std::size_t StepBytes(const Step& step);
  static void PutLists(const Lists& lists, Document& document);
  /// The cells that differ between the baseline and `table`, and where they lie.
  Step CellsChangedSince(const ChannelTable& table) const;
  void Push(Step step, const ChannelTable& table, const Lists& lists);
  void Apply(const Step& step, bool forward, Document& document);
  void DropOldest();
  /// `file` holds `data` now: every state of that file the steps keep learns it too.
  void FileHolds(const std::string& file, const std::shared_ptr<const std::string>& data);

  ChannelTable baseline_table_;
  Lists baseline_lists_;
  std::string baseline_data_;  // DataText of the baseline, the Dummy bank included
  std::shared_ptr<const std::string> file_data_ = std::make_shared<const std::string>();
  std::deque<Step> steps_;
  std::size_t position_ = 0;  // steps before it are done, from it on undone
  std::size_t bytes_ = 0;
};

/// Records what changed since the last step, the shown bank as its grid shows it, as one step
/// named `name` (the tables themselves are not touched). False when nothing changed.
bool RecordStep(Workspace& workspace, std::string_view name);
/// `RecordStep`, and the status text names the step Undo would take back.
void RecordStep(Workspace& workspace, Ui& ui, std::string_view name);
/// `RecordStep` for a change written into the table while the grid still shows the bank as it
/// was (a dialog's button): the shown bank as its next redraw will show it.
bool RecordTableStep(Workspace& workspace, std::string_view name);
/// Takes the document as the user sees it as the baseline: for a bank just shown, whose texts a
/// commit would settle without the user changing anything.
void SettleShownBank(Workspace& workspace);
/// Starts the history over: nothing to undo, the document as it is what its file holds.
void ResetHistory(Workspace& workspace);
/// A step named `name` that replaced the document (New, Open, a complete read); the file name was
/// `previous_file_name` before it.
void RecordReplacement(Workspace& workspace, Ui& ui, std::string_view name,
                       const std::string& previous_file_name);
/// The document as the user sees it was written to its file (the file name is already the path).
void DocumentSaved(Workspace& workspace);
/// `UnsavedChanges`: the document as the user sees it (the grid's typed cells included) holds
/// data that its file does not. Changes to the Dummy bank alone do not count.
bool UnsavedChanges(const Workspace& workspace);
/// True when the grid or the tables hold a change that is not yet an undo step (a cell typed
/// into): Undo then takes it back first.
bool HasOpenEdit(const Workspace& workspace);

/// "Edit Channel 23" (or "Edit Dummy Row 3") for the current row of the grid.
std::string EditStepName(const Workspace& workspace);

}  // namespace talvirex
