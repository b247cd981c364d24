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
  std::size_t begin = 0;  // offsets of the record's first character and of its end in the text
  std::size_t end = 0;
};

// The text of a list, and where in it blanks stand for bytes that were not UTF-8.
struct ListText {
  std::string text;
  std::vector<std::size_t> unreadable;  // ascending offsets into `text`
};

// The length of the well-formed UTF-8 character that `bytes` starts with; 0 when it starts with
// no such character (a stray or cut sequence, an overlong form, a surrogate).
std::size_t Utf8CharLength(std::string_view bytes) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned lead = at(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned low = 0x80;  // the range of the second byte, narrower after some leads
  unsigned high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (bytes.size() < length || at(1) < low || at(1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if ((at(k) & 0xC0) != 0x80) return 0;
  }
  return length;
}

// A list that starts with a UTF-8 byte-order mark is UTF-8 whatever follows: a byte that breaks
// it (a Windows-1252 letter typed in by hand, say) becomes a blank, rather than the whole file,
// mark and header included, being read as Windows-1252 and losing its Frequency column. Without
// the mark a list is read as the program's files are: UTF-8 when valid, else Windows-1252.
ListText DecodeList(std::string_view bytes) {
  if (!bytes.starts_with(kByteOrderMark)) return {DecodeFileText(bytes), {}};
  bytes.remove_prefix(kByteOrderMark.size());
  ListText list;
  list.text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = Utf8CharLength(bytes.substr(i));
    if (length == 0) {
      list.unreadable.push_back(list.text.size());
      list.text += ' ';
      ++i;
    } else {
      list.text.append(bytes.substr(i, length));
      i += length;
    }
  }
  return list;
}

// Splits CSV text into records, handed one at a time to `on_record` so that a long list is never
// held twice: fields separated by commas, records by CR LF, LF or CR; a quoted field may hold
// commas, line breaks and doubled quotes. A quote opens a quoted field when only blanks come
// before it in the field; the blanks around a field are trimmed later.
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
  const auto end_record = [&](std::size_t end) {
    end_field();
    record.end = end;
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
      field.clear();  // hand-typed lists put a blank after each comma: `1, "Fire, Dispatch"`
      quoted = true;
      field_started = true;
    } else if (c == ',') {
      end_field();
    } else if (c == '\r' || c == '\n') {
      const std::size_t end = i;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++line;
      end_record(end);
      record.begin = i + 1;
    } else {
      field += c;
      if (c != ' ' && c != '\t') field_started = true;
    }
  }
  if (field_started || !field.empty() || !record.fields.empty()) end_record(text.size());
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

// How a note names a character the scanner cannot show: itself (never a blank or a comma, which
// the scanner shows), or its code point when it is a control character such as the line break of
// a quoted name.
std::string ShownCharacter(std::string_view character) {
  const auto lead = static_cast<unsigned char>(character.front());
  if (lead >= 0x20 && lead != 0x7F) return std::string(character);
  char code[8];
  std::snprintf(code, sizeof code, "U+%04X", lead);
  return code;
}

// The tag of a list name: characters the scanner cannot show become blanks, then the first 10,
// the blanks at the end removed. Notes say which characters were replaced and that the name was
// cut, since either changes what the scanner will show.
std::string ListTag(std::string_view name, std::vector<std::string>& notes) {
  std::string tag;
  std::vector<std::string> replaced;
  std::size_t i = 0;
  for (; i < name.size() && tag.size() < kListTagLength; ++i) {
    std::size_t length = 1;  // one blank for the whole UTF-8 character
    if (static_cast<unsigned char>(name[i]) >= 0x80) {
      while (i + length < name.size() &&
             (static_cast<unsigned char>(name[i + length]) & 0xC0) == 0x80) {
        ++length;
      }
    }
    const std::string_view character = name.substr(i, length);
    i += length - 1;
    if (length == 1 && TagCharCode(character.front()) >= 0) {
      tag += character.front();
      continue;
    }
    tag += ' ';
    const std::string shown = ShownCharacter(character);
    if (std::find(replaced.begin(), replaced.end(), shown) == replaced.end()) {
      replaced.push_back(shown);
    }
  }
  if (!replaced.empty()) {
    std::string note = "characters the scanner cannot show became blanks:";
    for (const std::string& shown : replaced) note += ' ' + shown;
    notes.push_back(note);
  }
  if (i < name.size()) notes.push_back("name cut to the 10 characters a tag holds");
  while (!tag.empty() && tag.back() == ' ') tag.pop_back();
  return tag;
}

// A number as a list holds it: digits with at most one decimal point, nothing else. Writers set to
// a decimal comma leave "146,520"; with no point in the value a lone comma can only be that, so it
// is read as the point. Anything more ("146 520", "146.52.5", "1,234.5") is no number, so that a
// value is never read in part as a different one.
struct ListNumber {
  std::string text;    // the number with "." as its point; "" when the value is not a number
  bool comma = false;  // a decimal comma was read as the point
};

ListNumber ReadNumber(std::string_view value) {
  ListNumber number{std::string(value), false};
  const bool has_point = Contains(value, ".");
  int separators = 0;
  bool digit = false;
  for (char& c : number.text) {
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == '.' || (c == ',' && !has_point)) {
      number.comma = c == ',';
      c = '.';
      ++separators;
    } else {
      return {};
    }
  }
  if (!digit || separators > 1) return {};
  return number;
}

std::string InQuotes(std::string_view text) { return '"' + std::string(text) + '"'; }

std::string CommaNote(std::string_view written, std::string_view read, std::string_view unit) {
  return InQuotes(written) + " read with a decimal comma as " + std::string(read) + ' ' +
         std::string(unit);
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
// with B. A Cross mode without a CrossMode that says how gives nothing: std::nullopt.
std::optional<std::string> ReceiveMode(const std::string& tone, const std::string& cross_mode) {
  if (tone == "TSQL") return "Tone";
  if (tone == "DTCS") return "DTCS";
  if (tone != "Cross") return "";
  const std::size_t arrow = cross_mode.find("->");
  if (arrow == std::string::npos) return std::nullopt;
  return cross_mode.substr(arrow + 2);
}

// The scanner holds no DCS polarity: it decodes the normal one. A row that asks for reverse
// polarity on either side (DtcsPolarity other than "NN") gets the code with a note.
void NotePolarity(const Columns& columns, const Record& row, ListEntry& entry) {
  const std::string polarity = columns.Get(row, "dtcspolarity");
  if (!polarity.empty() && polarity != "NN") {
    entry.notes.push_back("DCS polarity " + polarity + " is not kept: normal polarity");
  }
}

void TakeSquelch(const Columns& columns, const Record& row, ListEntry& entry) {
  const std::string tone = columns.Get(row, "tone");
  if (tone.empty()) return;
  const std::string cross_mode = columns.Get(row, "crossmode");
  const std::optional<std::string> mode = ReceiveMode(tone, cross_mode);
  if (!mode) {
    entry.tone = tone;
    entry.notes.push_back(cross_mode.empty()
                              ? "tone mode Cross without a CrossMode: no subtone"
                              : "cross mode " + cross_mode + " is not supported: no subtone");
    return;
  }
  const std::string& receive = *mode;
  if (receive == "Tone") {
    const std::string hertz = columns.Get(row, "ctonefreq");
    const ListNumber number = ReadNumber(hertz);
    entry.tone = "TSQL " + hertz;
    entry.subtone = number.text.empty() ? 0 : std::max(CtcssCode(number.text), 0);
    if (hertz.empty()) {
      entry.notes.push_back("no tone frequency given: no subtone");
    } else if (number.text.empty()) {
      entry.notes.push_back("tone " + InQuotes(hertz) + " is not a number: no subtone");
    } else if (entry.subtone == 0) {
      entry.notes.push_back("tone " + hertz + " Hz is not in the scanner's table: no subtone");
    } else if (number.comma) {
      entry.notes.push_back(CommaNote(hertz, number.text, "Hz"));
    }
    return;
  }
  if (receive == "DTCS") {
    std::string code = columns.Get(row, "rxdtcscode");
    if (tone != "Cross" || code.empty()) code = columns.Get(row, "dtcscode");
    entry.tone = "DTCS " + code;
    entry.subtone = code.empty() ? 0 : std::max(DcsCode(code), 0);
    if (code.empty()) {
      entry.notes.push_back("no DCS code given: no subtone");
    } else if (ReadNumber(code).text.empty()) {
      entry.notes.push_back("DCS code " + InQuotes(code) + " is not a number: no subtone");
    } else if (entry.subtone == 0) {
      entry.notes.push_back("DCS code " + code + " is not in the scanner's table: no subtone");
    } else {
      NotePolarity(columns, row, entry);
    }
    return;
  }
  if (tone == "Tone") {
    entry.tone = "Tone " + columns.Get(row, "rtonefreq");
    entry.notes.push_back("a transmit tone is of no use to a receiver: no subtone");
    return;
  }
  entry.tone = tone;
  if (tone != "Cross") {
    entry.notes.push_back("tone mode " + tone + " is not supported: no subtone");
  } else if (!receive.empty()) {
    entry.notes.push_back("cross mode " + cross_mode + " is not supported: no subtone");
  }
}

// Our export's On/Off columns: "" (or no column) leaves the switch to the default data.
void TakeSwitches(const Columns& columns, const Record& row, ListEntry& entry) {
  const auto take = [&](std::string_view column, std::string_view shown) -> std::optional<bool> {
    const std::string value = columns.Get(row, column);
    const std::string lower = Lowercase(value);
    if (lower == "on" || lower == "off") return lower == "on";
    if (!value.empty()) {
      entry.notes.push_back(std::string(shown) + " " + value +
                            " is neither On nor Off: from the default data");
    }
    return std::nullopt;
  };
  entry.delay = take("delay", "Delay");
  entry.beep_alert = take("beepalert", "Beep Alert");
  entry.att = take("attenuator", "ATT");
}

ListEntry EntryOf(const Columns& columns, const Record& row) {
  ListEntry entry;
  entry.line = row.line;
  entry.location = columns.Get(row, "location");
  entry.name = columns.Get(row, "name");
  entry.frequency = columns.Get(row, "frequency");
  const ListNumber mhz = ReadNumber(entry.frequency);
  if (!entry.frequency.empty() && mhz.text.empty()) {
    entry.skipped = "frequency " + InQuotes(entry.frequency) + " is not a number";
    return entry;
  }
  if (NumericValue(mhz.text) <= 0) {
    entry.skipped = "no frequency";
    return entry;
  }
  if (!IsInScannerBand(mhz.text)) {
    entry.skipped = entry.frequency + " MHz is outside the scanner's bands";
    return entry;
  }
  if (mhz.comma) entry.notes.push_back(CommaNote(entry.frequency, mhz.text, "MHz"));
  // Lists write six decimals, often with a rounding error in the last; the scanner works in
  // 100 Hz, so the frequency is taken to the nearest 100 Hz and then corrected as if typed.
  const double units = std::nearbyint(NumericValue(mhz.text) * 10000);
  entry.corrected_frequency = CorrectFrequency(ShortestDecimal(units / 10000));
  if (NumericValue(entry.corrected_frequency) != NumericValue(mhz.text)) {
    entry.notes.push_back("frequency rounded down to the scanner's step: " +
                          FormatFrequencyPlain(TrimBlanks(entry.corrected_frequency)));
  }
  entry.tag = ListTag(entry.name, entry.notes);
  TakeSquelch(columns, row, entry);
  const std::string skip = columns.Get(row, "skip");
  entry.lock_out = skip == "S";
  if (skip == "P") entry.notes.push_back("priority scan (P) is not kept: Lock Out Off");
  if (!skip.empty() && skip != "S" && skip != "P") {
    entry.notes.push_back("Skip " + InQuotes(skip) + " is not understood: Lock Out Off");
  }
  TakeSwitches(columns, row, entry);
  return entry;
}

std::string OnOff(bool on) { return on ? "1" : "0"; }

std::string SwitchText(std::string_view stored) { return stored == "1" ? "On" : "Off"; }

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
  const auto said = [](const std::optional<bool>& on) -> std::int8_t { return on ? *on : -1; };
  rows_.push_back({entry.line, static_cast<std::uint32_t>(blocks_.size() - 1),
                   static_cast<std::uint32_t>(block.size()),
                   static_cast<std::int16_t>(entry.subtone), entry.skipped.has_value(),
                   entry.lock_out, said(entry.delay), said(entry.beep_alert), said(entry.att)});
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
  const auto said = [](std::int8_t on) { return on < 0 ? std::nullopt : std::optional(on == 1); };
  entry.delay = said(row.delay);
  entry.beep_alert = said(row.beep_alert);
  entry.att = said(row.att);
  entry.notes.resize(TakeLength(at));
  for (std::string& note : entry.notes) note = notes_[TakeLength(at)];
  return entry;
}

ChannelList ReadChannelList(std::string_view bytes) {
  const ListText decoded = DecodeList(bytes);
  ChannelList list;
  std::optional<Columns> columns;  // from the first record that is not blank
  bool no_list = false;
  SplitRecords(decoded.text, [&](const Record& record) {
    if (no_list || IsBlankRecord(record)) return;
    if (columns) {
      ListEntry entry = EntryOf(*columns, record);
      const auto unreadable =
          std::lower_bound(decoded.unreadable.begin(), decoded.unreadable.end(), record.begin);
      if (unreadable != decoded.unreadable.end() && *unreadable < record.end) {
        entry.notes.insert(entry.notes.begin(), "bytes that are not UTF-8 read as blanks");
      }
      list.entries.push_back(entry);
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

int LocationChannel(const ListEntry& entry) {
  const std::string_view digits = entry.location;
  if (digits.empty() || digits.size() > 3 || !std::all_of(digits.begin(), digits.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
      })) {
    return 0;
  }
  const int channel = std::stoi(std::string(digits));
  return channel <= kChannelCount ? channel : 0;
}

bool LocationsArePlaces(const ChannelList& list, const std::vector<std::size_t>& picked) {
  std::vector<bool> taken(kChannelCount + 1, false);
  bool any = false;
  for (const std::size_t index : picked) {
    if (index >= list.entries.size() || list.entries.skipped(index)) continue;
    const int channel = LocationChannel(list.entries[index]);
    if (channel == 0 || taken[channel]) return false;
    taken[channel] = true;
    any = true;
  }
  return any;
}

std::vector<ListPlacement> PlaceAtLocations(const ChannelList& list,
                                            const std::vector<std::size_t>& picked) {
  std::vector<ListPlacement> placements;
  if (!LocationsArePlaces(list, picked)) return placements;
  for (const std::size_t index : picked) {
    if (index >= list.entries.size() || list.entries.skipped(index)) continue;
    placements.push_back({index, LocationChannel(list.entries[index])});
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
  const auto preset = [&](const std::optional<bool>& listed, int entry) {
    if (listed) return OnOff(*listed);
    return OnOff(defaults.apply[entry] == 1 && defaults.value[entry] == 1);
  };
  for (const ListPlacement& placement : placements) {
    const ListEntry& entry = list.entries[placement.entry];
    const int bank = BankOf(placement.channel);
    const int row = RowOf(placement.channel);
    ChannelTable& table = document.table;
    table.At(bank, row, kFieldFrequency) =
        FormatFrequency(entry.corrected_frequency, hide_leading_zeros);
    table.At(bank, row, kFieldTag) = entry.tag;
    table.At(bank, row, kFieldDelay) = preset(entry.delay, 1);
    table.At(bank, row, kFieldLockOut) = OnOff(entry.lock_out);
    table.At(bank, row, kFieldSubtone) = IntText(entry.subtone);
    table.At(bank, row, kFieldBeepAlert) = preset(entry.beep_alert, 2);
    table.At(bank, row, kFieldAtt) = preset(entry.att, 3);
  }
}

std::string ChannelListText(const ChannelTable& table, const std::vector<int>& banks) {
  std::string out(kChannelListHeader);
  out += ',';
  out += kChannelListSwitchColumns;
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
             (table.At(bank, row, kFieldLockOut) == "1" ? "S" : "") + ",,,,,," +
             SwitchText(table.At(bank, row, kFieldDelay)) + ',' +
             SwitchText(table.At(bank, row, kFieldBeepAlert)) + ',' +
             SwitchText(table.At(bank, row, kFieldAtt)) + "\r\n";
    }
  }
  return out;
}

}  // namespace talvirex
