// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Channel lists in the CSV layout that radio programming tools and frequency databases exchange:
// a header line naming the columns, then one memory a row:
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,
//   TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE
// Later writers add columns (RxDtcsCode, CrossMode, Power, ...) and databases leave some out or
// reorder them, so columns are found by name; only Frequency is required.
//
// Reading takes what a scanner can use: the receive frequency (corrected to the scanner's step as
// a typed frequency is), the name as the tag, the receive tone or DCS code as the PL/DPL code and
// "S" (skip) as Lock Out. Duplex and Offset are ignored: the scanner listens on the output
// frequency. Whatever cannot come across is said, row by row.
//
// Our own export adds three columns after the layout's: Delay, BeepAlert and Attenuator, "On" or
// "Off". Other tools ignore columns they do not know; reading them back, with the channel number
// in Location, lets an export of ours come back as the same table.

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace talvirex {

class ChannelTable;
struct Document;
struct DefaultData;

inline constexpr std::string_view kChannelListHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,"
    "TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";
/// The columns our export adds after the layout's, for the switches the layout has no room for.
inline constexpr std::string_view kChannelListSwitchColumns = "Delay,BeepAlert,Attenuator";

/// One row of a list and what it becomes.
struct ListEntry {
  int line = 0;  // the file line the row begins on (the header is on line 1 or later)
  // As the list has it.
  std::string location;
  std::string name;
  std::string frequency;
  std::string tone;  // the receive squelch asked for: "", "TSQL 88.5", "DTCS 023", "Tone 100.0"
  // What it becomes.
  std::optional<std::string> skipped;  // why the row is not imported
  std::string corrected_frequency;     // as a typed frequency is corrected
  std::string tag;
  int subtone = 0;  // PL/DPL code
  bool lock_out = false;
  // From the Delay, BeepAlert and Attenuator columns; unset where the list has none (or a value
  // other than On/Off), so the default data decides.
  std::optional<bool> delay;
  std::optional<bool> beep_alert;
  std::optional<bool> att;
  std::vector<std::string> notes;  // what changed on the way in
};

/// The rows of a list, packed: a row costs its texts and about 20 bytes, where a ListEntry of its
/// own costs near 300, so a list of a million rows fits in a few times the file's size. Each note's
/// text is kept once however many rows carry it. Reading a row gives a ListEntry of its own.
class ListEntries {
 public:
  class const_iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = ListEntry;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = ListEntry;
    const_iterator() = default;
    const_iterator(const ListEntries* entries, std::size_t index)
        : entries_(entries), index_(index) {}
    ListEntry operator*() const { return (*entries_)[index_]; }
    const_iterator& operator++() {
      ++index_;
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator before = *this;
      ++index_;
      return before;
    }
    bool operator==(const const_iterator& other) const { return index_ == other.index_; }

   private:
    const ListEntries* entries_ = nullptr;
    std::size_t index_ = 0;
  };

  std::size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  ListEntry operator[](std::size_t index) const;
  ListEntry front() const { return (*this)[0]; }
  ListEntry back() const { return (*this)[size() - 1]; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }
  void reserve(std::size_t rows) { rows_.reserve(rows); }
  void push_back(const ListEntry& entry);

  /// Without unpacking the row: whether it is skipped, and the file line it begins on.
  bool skipped(std::size_t index) const { return rows_[index].skipped; }
  int line(std::size_t index) const { return rows_[index].line; }

 private:
  struct Row {
    int line = 0;
    std::uint32_t block = 0;   // into blocks_
    std::uint32_t offset = 0;  // where its texts begin in the block
    std::int16_t subtone = 0;
    bool skipped = false;
    bool lock_out = false;
    std::int8_t delay = -1, beep_alert = -1, att = -1;  // -1: the list does not say
  };
  std::string& BlockFor(std::size_t bytes);

  std::vector<Row> rows_;
  // The rows' texts, each a length then its bytes, in blocks that are filled and never moved, so
  // a growing list does not copy what it holds. A row's texts lie in one block.
  std::vector<std::string> blocks_;
  std::vector<std::string> notes_;                           // each note text once
  std::unordered_map<std::string, std::uint32_t> note_ids_;  // into notes_
  std::string packing_;  // a row's texts on their way into a block, kept for the next row
};

struct ChannelList {
  ListEntries entries;               // the rows in file order, empty rows left out
  std::optional<std::string> error;  // set when the file is not a channel list
};

/// Reads a list's bytes (UTF-8 or Windows-1252, any line ends, quoted fields with commas and line
/// breaks). A list that starts with a UTF-8 byte-order mark is UTF-8: bytes that break it are read
/// as blanks, with a note on each row that had them.
ChannelList ReadChannelList(std::string_view bytes);

/// Where imported rows go: the channels `first`, `first` + 1, ... up to 200, in the order given.
struct ListPlacement {
  std::size_t entry = 0;  // index into the list's entries
  int channel = 0;        // 1..200
};

/// The placements of the `picked` entries (indexes; skipped entries are passed over) from channel
/// `first` on. Entries past channel 200 are left out.
std::vector<ListPlacement> PlaceEntries(const ChannelList& list,
                                        const std::vector<std::size_t>& picked, int first);

/// The channel a row's Location names: a whole number 1..200 written in digits; 0 for anything
/// else.
int LocationChannel(const ListEntry& entry);

/// True when every picked entry that can be imported (and there is one) has a Location naming a
/// channel 1..200 and no two of them name the same one: then the rows can go to their Locations.
bool LocationsArePlaces(const ChannelList& list, const std::vector<std::size_t>& picked);

/// The placements of the `picked` entries (skipped entries are passed over) at the channels their
/// Locations name; empty unless `LocationsArePlaces`.
std::vector<ListPlacement> PlaceAtLocations(const ChannelList& list,
                                            const std::vector<std::size_t>& picked);

/// The channels among `placements` that are in use in `table` now.
std::vector<int> OverwrittenChannels(const ChannelTable& table,
                                     const std::vector<ListPlacement>& placements);

/// The first empty channel from `from` (1..200) on; `from` itself when every later one is in use.
int FirstEmptyChannel(const ChannelTable& table, int from);

/// Writes the placed entries into the table as channels entered by hand: the frequency formatted
/// by `hide_leading_zeros` (the setting `zero`), Lock Out from the list, Delay, Beep Alert and
/// ATT from the list's columns of ours where it has them, else from the default data (Off where it
/// presets nothing). Marks the document changed when anything was written.
void ImportEntries(Document& document, const ChannelList& list,
                   const std::vector<ListPlacement>& placements, const DefaultData& defaults,
                   bool hide_leading_zeros);

/// Every channel in use of bank slots `banks` as a list (UTF-8, CR LF line ends): Location the
/// channel number (the row for the Dummy bank), Name the tag trimmed, Frequency with six decimals,
/// the PL/DPL code as TSQL or DTCS, Mode AM in the airband 108..137 MHz and FM elsewhere, Skip "S"
/// for Lock Out On; then Delay, BeepAlert and Attenuator as On or Off.
std::string ChannelListText(const ChannelTable& table, const std::vector<int>& banks);

}  // namespace talvirex
