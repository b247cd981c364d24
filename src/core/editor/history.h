// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Undo and Redo for every change of the document: the channel table of all banks, the bank names,
// the priority channels, the scanner options and the search range (not the settings). Each user
// action that changed something is one step; a step keeps only the values it changed, before and
// after, so that many steps cost little. The history compares the document with a copy of it as
// it stood after the last step, so no command has to say what it changes.

#include <array>
#include <cstddef>
#include <deque>
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

  /// Forgets every step; the document as it is becomes the state saved and the baseline.
  /// `table` is the document's table as the user sees it (the shown bank as its grid shows it).
  void Reset(const ChannelTable& table, const Document& document);
  /// One step named `name` of what changed since the baseline; false when nothing did. Drops the
  /// steps that could have been redone.
  bool Record(const ChannelTable& table, const Document& document, std::string_view name);
  /// Takes the document as it is as the baseline without a step (for changes of form only, such
  /// as a bank's texts settled when it is shown, or a save's clean-up).
  void Rebase(const ChannelTable& table, const Document& document);

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < steps_.size(); }
  /// The step Undo (Redo) would take back (do again); "" when none.
  std::string_view UndoName() const;
  std::string_view RedoName() const;

  /// Puts back the values the last step changed (the step after the position, for Redo) and
  /// sets the document's UnsavedChanges: clear at the state last saved, set elsewhere when a step
  /// between the two changed anything a channel file keeps.
  std::optional<StepPlace> Undo(Document& document);
  std::optional<StepPlace> Redo(Document& document);

  /// The document is as its file holds it now (after Save, Open, New or a read).
  void MarkSaved();

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
  struct CellChange {
    int bank = 0, row = 0, field = 0;
    std::string before, after;
  };
  struct Step {
    std::string name;
    std::vector<CellChange> cells;
    std::optional<Lists> lists_before, lists_after;
    bool touches_saved_data = false;  // a change outside the Dummy bank
    StepPlace place;
  };

  static Lists ListsOf(const Document& document);
  static std::size_t StepBytes(const Step& step);
  static void PutLists(const Lists& lists, Document& document);
  void Apply(const Step& step, bool forward, Document& document);
  void SetUnsaved(Document& document) const;
  void DropOldest();

  ChannelTable baseline_table_;
  Lists baseline_lists_;
  std::deque<Step> steps_;
  std::size_t position_ = 0;                 // steps before it are done, from it on undone
  std::optional<std::size_t> saved_at_ = 0;  // the position of the state last saved, if kept
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
/// Starts the history over: nothing to undo, the document as it is the state saved.
void ResetHistory(Workspace& workspace);

/// "Edit Channel 23" (or "Edit Dummy Row 3") for the current row of the grid.
std::string EditStepName(const Workspace& workspace);

}  // namespace talvirex
