// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "&Find..." ("Find Data") and "Replace" ("Replace Text Tag:"): two small dialogs over the
// channel table. Both forms work on the workspace they were opened with, which must outlive them.
// The main window commits the grid before Find opens; for Replace it takes the undo snapshot
// before and redraws after (`MainWindowLogic`).
//
// Texts are compared case-sensitively as substrings. An empty "Find What" text finds nothing and
// replaces nothing.

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

  /// Opening: "Comments" chosen when `find_in_tags`, "All Banks" when `find_in_all_banks`; the
  /// result labels empty.
  void Open(Workspace& workspace);

  SearchField field() const { return field_; }
  SearchScope scope() const { return scope_; }
  /// A click on an option: stored in `find_in_tags` / `find_in_all_banks` at once.
  void SetField(SearchField field);
  void SetScope(SearchScope scope);

  /// "Find >>" (also Enter in the text box): reports the first channel whose frequency or tag
  /// contains `text` in the result labels; no match leaves them empty. An empty text does nothing.
  /// Returns true on a match.
  bool Find();

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
  std::string channel_label_;
  std::string bank_label_;
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
