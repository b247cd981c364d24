// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/channel_list.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>

#include "document.h"
#include "files/channel_file.h"
#include "image/codec_tables.h"
#include "model/channel_table.h"
#include "model/default_data.h"
#include "model/frequency.h"
#include "model/numeric_value.h"
#include "text/cp1252.h"
#include "text/text.h"

namespace talvirex {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kListTagLength = 10;  // what the scanner's memory holds of a tag

struct Record {
  int line = 0;
  std::vector<std::string> fields;
};

// Splits CSV text into records, handed one at a time to `on_record` so that a long list is never
// held twice: fields separated by commas, records by CR LF, LF or CR; a quoted field may hold
// commas, line breaks and doubled quotes.
template <typename OnRecord>
void SplitRecords(std::string_view text, OnRecord&& on_record) {
  Record record{1, {}};
  std::string field;
  int line = 1;
  bool quoted = false;
  bool field_started = false;
  const auto end_field = [&] {
    record.fields.push_back(std::move(field));
    field.clear();
    field_started = false;
  };
  const auto end_record = [&] {
    end_field();
    on_record(record);
    record.line = line;
    record.fields.clear();  // keeps its room for the next record's fields
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
        field += c;
      }
      continue;
    }
    if (c == '"' && !field_started) {
      quoted = true;
      field_started = true;
    } else if (c == ',') {
      end_field();
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++line;
      end_record();
    } else {
      field += c;
      field_started = true;
    }
  }
  if (field_started || !field.empty() || !record.fields.empty()) end_record();
}

bool IsBlankRecord(const Record& record) {
  return std::all_of(record.fields.begin(), record.fields.end(),
                     [](const std::string& f) { return TrimBlanks(f).empty(); });
}

std::string Lowercase(std::string_view text) {
  std::string out(TrimBlanks(text));
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// The columns of the header, by lower-case name.
class Columns {
 public:
  explicit Columns(const Record& header) {
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
      index_.emplace(Lowercase(header.fields[i]), i);
    }
  }
  bool Has(std::string_view name) const { return index_.contains(name); }
  /// The row's field of column `name` (lower case), blanks around it removed; "" when absent.
  std::string Get(const Record& row, std::string_view name) const {
    const auto found = index_.find(name);
    if (found == index_.end() || found->second >= row.fields.size()) return {};
    return std::string(TrimBlanks(row.fields[found->second]));
  }

 private:
  std::map<std::string, std::size_t, std::less<>> index_;
};

// The tag of a list name: characters the scanner cannot show become blanks, then the first 10.
std::string ListTag(std::string_view name) {
  std::string tag;
  for (std::size_t i = 0; i < name.size() && tag.size() < kListTagLength; ++i) {
    const auto lead = static_cast<unsigned char>(name[i]);
    if (lead >= 0x80) {  // one blank for the whole UTF-8 character
      while (i + 1 < name.size() && (static_cast<unsigned char>(name[i + 1]) & 0xC0) == 0x80) ++i;
      tag += ' ';
    } else {
      tag += TagCharCode(static_cast<char>(lead)) >= 0 ? static_cast<char>(lead) : ' ';
    }
  }
  while (!tag.empty() && tag.back() == ' ') tag.pop_back();
  return tag;
}

int CtcssCode(const std::string& hertz) {
  const double value = NumericValue(hertz);
  static const std::vector<double> kTones = [] {  // read once: a list may ask a million times
    std::vector<double> tones(kCtcssCount + 1);
    for (int i = 1; i <= kCtcssCount; ++i) tones[i] = NumericValue(CtcssText(i));
    return tones;
  }();
  for (int i = 1; i <= kCtcssCount; ++i) {
    if (std::fabs(kTones[i] - value) < 0.05) return i;
  }
  return -1;
}

int DcsCode(std::string code) {
  while (code.size() < 3) code.insert(code.begin(), '0');
  for (int j = 0; j < kDcsCount; ++j) {
    if (DcsText(j) == code) return kCtcssCount + 1 + j;
  }
  return -1;
}

// The receive half of a squelch mode: "Tone", "DTCS" or "" (none); a CrossMode "A->B" receives
// with B.
std::string ReceiveMode(const std::string& tone, const std::string& cross_mode) {
  if (tone == "TSQL") return "Tone";
  if (tone == "DTCS") return "DTCS";
  if (tone != "Cross") return "";
  const std::size_t arrow = cross_mode.find("->");
  return arrow == std::string::npos ? "" : cross_mode.substr(arrow + 2);
}

void TakeSquelch(const Columns& columns, const Record& row, ListEntry& entry) {
  const std::string tone = columns.Get(row, "tone");
  if (tone.empty()) return;
  const std::string receive = ReceiveMode(tone, columns.Get(row, "crossmode"));
  if (receive == "Tone") {
    const std::string hertz = columns.Get(row, "ctonefreq");
    entry.tone = "TSQL " + hertz;
    entry.subtone = hertz.empty() ? 0 : std::max(CtcssCode(hertz), 0);
    if (hertz.empty()) {
      entry.notes.push_back("no tone frequency given: no subtone");
    } else if (entry.subtone == 0) {
      entry.notes.push_back("tone " + hertz + " Hz is not in the scanner's table: no subtone");
    }
    return;
  }
  if (receive == "DTCS") {
    std::string code = columns.Get(row, "rxdtcscode");
    if (tone != "Cross" || code.empty()) code = columns.Get(row, "dtcscode");
    entry.tone = "DTCS " + code;
    entry.subtone = std::max(DcsCode(code), 0);
    if (entry.subtone == 0) {
      entry.notes.push_back("DCS code " + code + " is not in the scanner's table: no subtone");
    }
    return;
  }
  if (tone == "Tone") {
    entry.tone = "Tone " + columns.Get(row, "rtonefreq");
    entry.notes.push_back("a transmit tone is of no use to a receiver: no subtone");
    return;
  }
  entry.tone = tone;
  if (tone != "Cross") entry.notes.push_back("tone mode " + tone + " is not supported: no subtone");
}

ListEntry EntryOf(const Columns& columns, const Record& row) {
  ListEntry entry;
  entry.line = row.line;
  entry.location = columns.Get(row, "location");
  entry.name = columns.Get(row, "name");
  entry.frequency = columns.Get(row, "frequency");
  if (NumericValue(entry.frequency) <= 0) {
    entry.skipped = "no frequency";
    return entry;
  }
  if (!IsInScannerBand(entry.frequency)) {
    entry.skipped = entry.frequency + " MHz is outside the scanner's bands";
    return entry;
  }
  // Lists write six decimals, often with a rounding error in the last; the scanner works in
  // 100 Hz, so the frequency is taken to the nearest 100 Hz and then corrected as if typed.
  const double units = std::nearbyint(NumericValue(entry.frequency) * 10000);
  entry.corrected_frequency = CorrectFrequency(ShortestDecimal(units / 10000));
  if (NumericValue(entry.corrected_frequency) != NumericValue(entry.frequency)) {
    entry.notes.push_back("frequency rounded down to the scanner's step: " +
                          FormatFrequencyPlain(TrimBlanks(entry.corrected_frequency)));
  }
  entry.tag = ListTag(entry.name);
  TakeSquelch(columns, row, entry);
  const std::string skip = columns.Get(row, "skip");
  entry.lock_out = skip == "S";
  if (skip == "P") entry.notes.push_back("priority scan (P) is not kept: Lock Out Off");
  return entry;
}

std::string OnOff(bool on) { return on ? "1" : "0"; }

std::string Quoted(std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
  std::string out = "\"";
  for (const char c : field) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + '"';
}

std::string SixDecimals(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", value);
  return text;
}

}  // namespace

namespace {

void PutLength(std::string& out, std::size_t length) {
  for (; length >= 0x80; length >>= 7) out += static_cast<char>(0x80 | (length & 0x7F));
  out += static_cast<char>(length);
}

std::size_t TakeLength(const char*& at) {
  std::size_t length = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(*at++);
    length |= static_cast<std::size_t>(byte & 0x7F) << shift;
    if (byte < 0x80) return length;
  }
}

// A text, or, when it is the start of `like` (a tag is mostly the name, a corrected frequency
// often the list's), only its length: the low bit of the length says which.
void PutText(std::string& out, std::string_view text, std::string_view like = {}) {
  const bool start_of_like = !text.empty() && like.starts_with(text);
  PutLength(out, text.size() << 1 | (start_of_like ? 1 : 0));
  if (!start_of_like) out += text;
}

std::string TakeText(const char*& at, std::string_view like = {}) {
  const std::size_t code = TakeLength(at);
  if (code & 1) return std::string(like.substr(0, code >> 1));
  std::string text(at, code >> 1);
  at += code >> 1;
  return text;
}

constexpr std::size_t kBlockBytes = 1u << 20;

}  // namespace

std::string& ListEntries::BlockFor(std::size_t bytes) {
  if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < bytes) {
    blocks_.emplace_back().reserve(std::max(bytes, kBlockBytes));
  }
  return blocks_.back();
}

void ListEntries::push_back(const ListEntry& entry) {
  std::string& packed = packing_;
  packed.clear();
  for (const std::string* text : {&entry.location, &entry.name, &entry.frequency, &entry.tone}) {
    PutText(packed, *text);
  }
  PutText(packed, entry.corrected_frequency, entry.frequency);
  PutText(packed, entry.tag, entry.name);
  if (entry.skipped) PutText(packed, *entry.skipped);
  PutLength(packed, entry.notes.size());
  for (const std::string& note : entry.notes) {
    const auto [id, added] = note_ids_.try_emplace(note, static_cast<std::uint32_t>(notes_.size()));
    if (added) notes_.push_back(note);
    PutLength(packed, id->second);
  }
  std::string& block = BlockFor(packed.size());
  rows_.push_back({entry.line, static_cast<std::uint32_t>(blocks_.size() - 1),
                   static_cast<std::uint32_t>(block.size()),
                   static_cast<std::int16_t>(entry.subtone), entry.skipped.has_value(),
                   entry.lock_out});
  block += packed;
}

ListEntry ListEntries::operator[](std::size_t index) const {
  const Row& row = rows_.at(index);
  const char* at = blocks_[row.block].data() + row.offset;
  ListEntry entry;
  entry.line = row.line;
  for (std::string* text : {&entry.location, &entry.name, &entry.frequency, &entry.tone}) {
    *text = TakeText(at);
  }
  entry.corrected_frequency = TakeText(at, entry.frequency);
  entry.tag = TakeText(at, entry.name);
  if (row.skipped) entry.skipped = TakeText(at);
  entry.subtone = row.subtone;
  entry.lock_out = row.lock_out;
  entry.notes.resize(TakeLength(at));
  for (std::string& note : entry.notes) note = notes_[TakeLength(at)];
  return entry;
}

ChannelList ReadChannelList(std::string_view bytes) {
  std::string text = DecodeFileText(bytes);
  if (text.starts_with(kByteOrderMark)) text.erase(0, kByteOrderMark.size());
  ChannelList list;
  std::optional<Columns> columns;  // from the first record that is not blank
  bool no_list = false;
  SplitRecords(text, [&](const Record& record) {
    if (no_list || IsBlankRecord(record)) return;
    if (columns) {
      list.entries.push_back(EntryOf(*columns, record));
    } else if (Columns header(record); header.Has("frequency")) {
      columns = std::move(header);
    } else {
      no_list = true;
    }
  });
  if (!columns) {
    list.entries = {};
    list.error = "This file is not a channel list: it has no Frequency column.";
  }
  return list;
}

std::vector<ListPlacement> PlaceEntries(const ChannelList& list,
                                        const std::vector<std::size_t>& picked, int first) {
  std::vector<ListPlacement> placements;
  int channel = std::max(first, 1);
  for (const std::size_t index : picked) {
    if (channel > kChannelCount) break;
    if (index >= list.entries.size() || list.entries[index].skipped) continue;
    placements.push_back({index, channel++});
  }
  return placements;
}

std::vector<int> OverwrittenChannels(const ChannelTable& table,
                                     const std::vector<ListPlacement>& placements) {
  std::vector<int> channels;
  for (const ListPlacement& placement : placements) {
    const int n = placement.channel;
    if (table.FrequencyValue(BankOf(n), RowOf(n)) > 0) channels.push_back(n);
  }
  return channels;
}

int FirstEmptyChannel(const ChannelTable& table, int from) {
  for (int n = std::max(from, 1); n <= kChannelCount; ++n) {
    if (table.FrequencyValue(BankOf(n), RowOf(n)) <= 0) return n;
  }
  return std::clamp(from, 1, kChannelCount);
}

void ImportEntries(Document& document, const ChannelList& list,
                   const std::vector<ListPlacement>& placements, const DefaultData& defaults,
                   bool hide_leading_zeros) {
  const auto preset = [&](int entry) {
    return defaults.apply[entry] == 1 && defaults.value[entry] == 1 ? "1" : "0";
  };
  for (const ListPlacement& placement : placements) {
    const ListEntry& entry = list.entries[placement.entry];
    const int bank = BankOf(placement.channel);
    const int row = RowOf(placement.channel);
    ChannelTable& table = document.table;
    table.At(bank, row, kFieldFrequency) =
        FormatFrequency(entry.corrected_frequency, hide_leading_zeros);
    table.At(bank, row, kFieldTag) = entry.tag;
    table.At(bank, row, kFieldDelay) = preset(1);
    table.At(bank, row, kFieldLockOut) = OnOff(entry.lock_out);
    table.At(bank, row, kFieldSubtone) = IntText(entry.subtone);
    table.At(bank, row, kFieldBeepAlert) = preset(2);
    table.At(bank, row, kFieldAtt) = preset(3);
  }
}

std::string ChannelListText(const ChannelTable& table, const std::vector<int>& banks) {
  std::string out(kChannelListHeader);
  out += "\r\n";
  for (const int bank : banks) {
    for (int row = 1; row <= kChannelsPerBank; ++row) {
      const double mhz = table.FrequencyValue(bank, row);
      if (mhz <= 0) continue;
      const int code = static_cast<int>(NumericValue(table.At(bank, row, kFieldSubtone)));
      const bool ctcss = code >= 1 && code <= kCtcssCount;
      const bool dcs = code > kCtcssCount && code < kCtcssCount + 1 + kDcsCount;
      const std::string hertz = ctcss ? std::string(CtcssText(code)) : "88.5";
      const std::string location = IntText(bank < kScannerBanks ? ChannelNumber(bank, row) : row);
      const bool airband = mhz >= 108 && mhz <= 137;
      const bool fine_step = airband || (mhz >= 406 && mhz <= 956);
      out += location + ',' + Quoted(TrimBlanks(table.At(bank, row, kFieldTag))) + ',' +
             SixDecimals(mhz) + ",,0.000000," +
             (ctcss ? "TSQL"
              : dcs ? "DTCS"
                    : "") +
             ',' + hertz + ',' + hertz + ',' +
             (dcs ? std::string(DcsText(code - kCtcssCount - 1)) : std::string("023")) + ",NN," +
             (airband ? "AM" : "FM") + ',' + (fine_step ? "12.50" : "5.00") + ',' +
             (table.At(bank, row, kFieldLockOut) == "1" ? "S" : "") + ",,,,,\r\n";
    }
  }
  return out;
}

}  // namespace talvirex
