// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tags behind the Easy Tag dropdowns: one list of every distinct tag recorded, and one list
// per bank slot 0..9 of the tags recorded while that bank was current. Slot 0 of each is empty
// (the dropdowns' empty first line).

#include <array>
#include <string>

namespace talvirex {

class ChannelTable;

struct TagLists {
  static constexpr int kTagListSlots = 211;      // slots 0..210
  static constexpr int kBankTagListSlots = 111;  // slots 0..110

  std::array<std::string, kTagListSlots> tag_list{};
  int tag_count = 0;
  std::array<std::array<std::string, kBankTagListSlots>, 10> bank_tag_list{};
  std::array<int, 10> bank_tag_count{};

  /// Forgets every recorded tag.
  void Clear() { *this = TagLists{}; }
};

/// Records `tag` (its leading blanks removed in place) in the lists when `easy_tags_on` (the
/// setting `easy_tag_lists`): once in the whole list, and once in the list of `bank` when 0..9.
void RecordTag(TagLists& lists, std::string& tag, int bank, bool easy_tags_on);

/// `RecordTag` for every tag of Banks 1..10 in bank and channel order, as a file's channels are
/// read: the lists start empty, and the table's tags lose their leading blanks when recorded.
void RecordTableTags(TagLists& lists, ChannelTable& table, bool easy_tags_on);

/// The lists made anew from the tags of Banks 1..10 in bank and channel order, as when the lists
/// are switched on; the table itself keeps its tags as they are.
void RecordTagsOf(TagLists& lists, const ChannelTable& table);

}  // namespace talvirex
