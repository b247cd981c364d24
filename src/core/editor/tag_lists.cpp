// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/tag_lists.h"

#include <algorithm>

#include "model/channel_table.h"
#include "text/text.h"

namespace talvirex {

namespace {

// Searches slots 0..count; a count past the last slot counts as found (the list is full).
// Otherwise adds the tag in slot count + 1 when there is room.
void Remember(std::string_view tag, std::string* slots, int slot_count, int& count) {
  for (int i = 0; i <= count; ++i) {
    if (i >= slot_count) return;
    if (slots[i] == tag) return;
  }
  ++count;
  if (count < slot_count) slots[count] = std::string(tag);
}

}  // namespace

void RecordTag(TagLists& lists, std::string& tag, int bank, bool easy_tags_on) {
  if (!easy_tags_on) return;
  tag = std::string(TrimLeadingBlanks(tag));
  if (tag.empty() || tag == " ") return;
  lists.tag_count = std::min(lists.tag_count, 1000);
  for (int& count : lists.bank_tag_count) count = std::min(count, 100);
  Remember(tag, lists.tag_list.data(), TagLists::kTagListSlots, lists.tag_count);
  if (bank >= 0 && bank <= 9) {
    Remember(tag, lists.bank_tag_list[bank].data(), TagLists::kBankTagListSlots,
             lists.bank_tag_count[bank]);
  }
}

void RecordTableTags(TagLists& lists, ChannelTable& table, bool easy_tags_on) {
  lists.Clear();
  for (int bank = 0; bank < kScannerBanks; ++bank) {
    for (int row = 1; row <= kChannelsPerBank; ++row) {
      RecordTag(lists, table.At(bank, row, kFieldTag), bank, easy_tags_on);
    }
  }
}

void RecordTagsOf(TagLists& lists, const ChannelTable& table) {
  lists.Clear();
  for (int bank = 0; bank < kScannerBanks; ++bank) {
    for (int row = 1; row <= kChannelsPerBank; ++row) {
      std::string tag = table.At(bank, row, kFieldTag);
      RecordTag(lists, tag, bank, true);
    }
  }
}

}  // namespace talvirex
