// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "&Find..." ("Find Data") and "Replace" ("Replace Text Tag:"): two small dialogs over the
// channel table. Both forms work on the workspace they were opened with, which must outlive them.
// The main window commits the grid before Find opens; for Replace it takes the undo snapshot
// before and redraws after (`MainWindowLogic`).
//
// Texts are compared case-sensitively as substrings. An empty "Find What" text finds nothing and
// replaces nothing.
//
// "Find >>" walks through the matches: each press goes on after the channel it found last, and
// after the last channel of the scope it starts again from the first (and says so), so repeated
// presses visit every match in turn. Each match becomes the grid's current cell.

#include <functional>
#include <string>
#include <string_view>

namespace talvirex {

struct Workspace;

inline constexpr std::string_view kFindTitle = "Find Data";
inline constexpr std::string_view kReplaceTitle = "Replace Text Tag:";

enum class SearchScope { kCurrentBank = 0, kAllBanks = 1 };

class FindForm {
 public:
  enum SearchField { kFrequency = 0, kComments = 1 };

  /// Shows a match in the grid: bank slot 0..10 shown, the cell at `row` 1..20 and `column`
  /// (1 frequency, 2 tag) current.
  using ShowMatch = std::function<void(int bank, int row, int column)>;

  /// Opening: "Comments" chosen when `find_in_tags`, "All Banks" when `find_in_all_banks`; the
  /// result labels empty; the next "Find >>" starts from the first channel. `show` hears of
  /// every match (none: the grid stays).
  void Open(Workspace& workspace, ShowMatch show = {});

  SearchField field() const { return field_; }
  SearchScope scope() const { return scope_; }
  /// A click on an option: stored in `find_in_tags` / `find_in_all_banks` at once; the next
  /// "Find >>" starts from the first channel.
  void SetField(SearchField field);
  void SetScope(SearchScope scope);

  /// "Find >>" (also Enter in the text box): reports the next channel whose frequency or tag
  /// contains `text` in the result labels and shows it in the grid. The search starts after the
  /// previous match, or at the first channel of the scope (row 1 of the current bank, or
  /// channel 1) when there was none or the text, field, scope or shown bank changed since; past
  /// the last channel it goes on from the first (`wrapped`). No match leaves the labels empty
  /// and the next press starts from the first channel. An empty text does nothing. Returns true
  /// on a match.
  bool Find();
  /// The last match was found only after starting again from the first channel.
  bool wrapped() const { return wrapped_; }
  static std::string_view WrappedText() { return "Reached the end; continued from the top."; }

  std::string text;  // "Find What"
  /// The three result labels: channel number, bank number "1".."11", and the fixed words.
  const std::string& channel_label() const { return channel_label_; }
  const std::string& bank_label() const { return bank_label_; }
  static std::string_view InBankText() { return "in bank"; }
  static std::string_view ContainsText() { return "contains this data."; }

 private:
  Workspace* ws_ = nullptr;
  SearchField field_ = kFrequency;
  SearchScope scope_ = SearchScope::kCurrentBank;
  void Restart() { last_match_ = -1; }

  std::string channel_label_;
  std::string bank_label_;
  ShowMatch show_;
  // Where the next press goes on: the scope position (0-based: channel - 1, or row - 1) of the
  // last match, -1 for none; with the text and the bank shown when it was found.
  int last_match_ = -1;
  std::string searched_text_;
  int searched_bank_ = -1;
  bool wrapped_ = false;
};

/// The tag after replacing the first occurrence of `find` in `tag` by `replacement`, cut to its
/// first 16 characters; `tag` unchanged when it is empty, `find` is empty or does not occur.
std::string ReplacedTag(std::string_view tag, std::string_view find, std::string_view replacement);

class ReplaceForm {
 public:
  /// Opening: empty texts, scope "Current Bank".
  void Open(Workspace& workspace);

  /// "Apply": in the current bank's rows 1..20, or in rows 1..20 of Banks 1..10 (never the Dummy
  /// bank), replaces the first occurrence in each tag. Sets the unsaved-changes flag when a tag of
  /// Banks 1..10 changed. Returns the number of tags changed. The dialog stays open; "Close"
  /// needs no call.
  int Apply();

  std::string find_text;                          // "Find What:"
  std::string replace_text;                       // "Replace With:"
  SearchScope scope = SearchScope::kCurrentBank;  // "Search:"

 private:
  int ReplaceInBank(int bank);

  Workspace* ws_ = nullptr;
};

}  // namespace talvirex
