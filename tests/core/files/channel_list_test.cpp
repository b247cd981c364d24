// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/channel_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sstream>

#include "document.h"
#include "files/stock_lists.h"
#include "model/channel_table.h"
#include "model/default_data.h"
#include "model/frequency.h"
#include "support/temp_dir.h"
#include "text/text.h"

namespace talvirex::testing {
namespace {

const std::string kLists = std::string(TALVIREX_TEST_DATA) + "/lists/";

// What a list's rows become, one line a row, as the golden files hold it.
std::string Outcomes(const ChannelList& list) {
  if (list.error) return "error: " + *list.error + "\n";
  std::string text;
  for (const ListEntry& entry : list.entries) {
    text += "line " + std::to_string(entry.line) + " [" + entry.name + "] ";
    if (entry.skipped) {
      text += "skipped: " + *entry.skipped + "\n";
      continue;
    }
    text += entry.corrected_frequency + " | " + entry.tag + " | " + std::to_string(entry.subtone) +
            (entry.lock_out ? " | locked out" : "") + " | " + entry.tone;
    for (const std::string& note : entry.notes) text += " | " + note;
    text += "\n";
  }
  return text;
}

// Lists as the common tool's writer, databases and hand editors leave them, read against their
// expected outcomes side by side in tests/data/lists.
TEST(ChannelList, ReadsListsOfEveryOriginAsTheirGoldenFilesSay) {
  for (const char* name :
       {"tool_writer", "database_utf8", "cp1252_cr", "semicolons", "hand_edited", "bom_cp1252"}) {
    SCOPED_TRACE(name);
    const ChannelList list = ReadChannelList(ReadBytes(kLists + name + ".csv"));
    EXPECT_EQ(Outcomes(list), ReadBytes(kLists + name + ".expected"));
  }
}

TEST(ChannelList, RefusesWhatIsNoListAndCopesWithAHundredThousandRows) {
  for (const std::string& bytes :
       {std::string(), std::string("\0\x01\x02\xff", 4), std::string("\"Frequency\n146.52"),
        std::string("\n\n,,\n"), std::string("Name,Freq\r\nA,146.52\r\n")}) {
    EXPECT_TRUE(ReadChannelList(bytes).error.has_value()) << bytes;
  }
  std::string big = "Location,Name,Frequency\n";
  for (int i = 0; i < 100000; ++i) big += std::to_string(i) + ",Ch,146.52\n";
  // Rows are kept packed: names longer than a length byte holds and than a block of the packing,
  // and a tag that is not the start of its name, come back as they went in.
  const std::string long_name(200, 'L');
  const std::string huge_name(3u << 20, 'H');
  big += "x," + long_name + ",146.52\nx," + huge_name + ",146.52\nx,Caf\u00e9 Ops,146.52\n";
  const ChannelList list = ReadChannelList(big);
  ASSERT_EQ(list.entries.size(), 100003u);
  EXPECT_EQ(list.entries[99999].line, 100001);
  EXPECT_EQ(list.entries[100000].name, long_name);
  EXPECT_EQ(list.entries[100001].name, huge_name);
  EXPECT_EQ(list.entries[100001].tag, "HHHHHHHHHH");
  const ListEntry cafe = list.entries.back();
  EXPECT_EQ(cafe.name + "|" + cafe.tag + "|" + cafe.corrected_frequency,
            "Caf\u00e9 Ops|Caf  Ops|146.52");
  // A line break inside a quoted name, a lone CR as the others, still counts as a line.
  const ChannelList quoted = ReadChannelList("Frequency,Name\r146.52,\"a\rb\"\r146.53,c\r");
  ASSERT_EQ(quoted.entries.size(), 2u);
  EXPECT_EQ(quoted.entries[1].line, 4);
}

TEST(ChannelList, PlacesFromTheFirstChannelIntoLaterBanksAndNeverPast200) {
  const ChannelList list =
      ReadChannelList("Frequency\n146.52\n80\n146.53\n146.54\n146.55\n146.56\n146.57\n");
  Document document;
  document.table.At(9, 17, kFieldFrequency) = "146.0";
  EXPECT_EQ(FirstEmptyChannel(document.table, 197), 198);
  Document full;
  for (int row = 17; row <= 19; ++row) full.table.At(9, row, kFieldFrequency) = "146.0";
  EXPECT_EQ(FirstEmptyChannel(full.table, 197), 200);  // the last channel too
  const auto placements = PlaceEntries(list, {0, 1, 2, 3, 4, 5, 6}, 196);
  ASSERT_EQ(placements.size(), 5u);  // the 80 MHz row is skipped, two rows find no room
  EXPECT_EQ(placements.front().channel, 196);
  EXPECT_EQ(placements.back().channel, 200);
  EXPECT_EQ(placements[1].entry, 2u);
  EXPECT_EQ(OverwrittenChannels(document.table, placements), std::vector<int>{197});

  DefaultData defaults;  // Delay On, Beep Alert Off, ATT not preset
  defaults.value[3] = 1;
  ImportEntries(document, list, placements, defaults, 1);
  EXPECT_EQ(document.table.At(9, 16, kFieldFrequency), "146.5200");
  EXPECT_EQ(document.table.At(9, 17, kFieldFrequency), "146.5300");
  EXPECT_EQ(document.table.At(9, 16, kFieldDelay), "1");
  EXPECT_EQ(document.table.At(9, 16, kFieldBeepAlert), "0");
  EXPECT_EQ(document.table.At(9, 16, kFieldAtt), "0");
}

// Every field of every channel of Banks 1..10, one line a channel in use, to compare tables by.
std::string Channels(const ChannelTable& table) {
  std::string text;
  for (int bank = 0; bank < kScannerBanks; ++bank) {
    for (int row = 1; row <= kChannelsPerBank; ++row) {
      std::string line = std::to_string(ChannelNumber(bank, row));
      bool in_use = false;
      for (int field = kFieldFrequency; field <= kFieldAtt; ++field) {
        line += "|" + table.At(bank, row, field);
        in_use = in_use || !table.At(bank, row, field).empty();
      }
      if (in_use) text += line + "\n";
    }
  }
  return text;
}

// Default data that presets every switch On, so a switch taken from it instead of the list shows.
DefaultData EverySwitchOn() {
  DefaultData defaults;
  for (const int entry : {1, 2, 3}) defaults.apply[entry] = defaults.value[entry] = 1;
  return defaults;
}

// The list's rows, picked all, at their Locations into an empty table.
Document ImportedAtLocations(const std::string& text, bool hide_leading_zeros) {
  const ChannelList list = ReadChannelList(text);
  std::vector<std::size_t> all(list.entries.size());
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
  Document back;
  EXPECT_TRUE(LocationsArePlaces(list, all));
  ImportEntries(back, list, PlaceAtLocations(list, all), EverySwitchOn(), hide_leading_zeros);
  return back;
}

TEST(ChannelList, ExportsAsTheGoldenFileSays) {
  Document document;
  const auto put = [&](int bank, int row, const char* mhz, const char* tag, const char* code,
                       const char* switches) {  // Delay, Lock Out, Beep Alert, ATT
    document.table.At(bank, row, kFieldFrequency) = mhz;
    document.table.At(bank, row, kFieldTag) = tag;
    document.table.At(bank, row, kFieldSubtone) = code;
    const int fields[] = {kFieldDelay, kFieldLockOut, kFieldBeepAlert, kFieldAtt};
    for (int i = 0; i < 4; ++i) document.table.At(bank, row, fields[i]) = {switches[i]};
  };
  put(0, 5, "146.9400", "W1AW", "38", "0000");  // the last CTCSS tone
  put(0, 7, "118.3000", "Tower, 2  ", "0", "1100");  // the blanks at the end are not written
  put(1, 20, "155.3400", "Fire", "40", "0010");
  put(2, 1, "029.7000", "", "142", "0001");  // the last DCS code, no tag
  put(kDummyBank, 2, "851.0125", "Scratch", "142", "1111");
  EXPECT_EQ(ChannelListText(document.table, {0, 1, 2, kDummyBank}),
            ReadBytes(kLists + "exported.csv"));
}

// Tables of random channels at random places, exported and imported into an empty table: the same
// table, every field. Seeds are fixed so a failure can be run again.
TEST(ChannelList, RandomTablesComeBackFromTheirExportFieldForField) {
  const std::string tag_chars = "0123456789ABCXYZabcxyz/()&'.,-# ";
  constexpr int kBands[][2] = {{29, 54}, {108, 174}, {406, 512}, {806, 956}};
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::mt19937 random(seed);
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const bool hide_leading_zeros = below(2) == 1;
    Document document;
    for (int used = below(kChannelCount + 1); used > 0; --used) {
      const int n = 1 + below(kChannelCount);
      const auto& band = kBands[below(4)];
      const int mhz = band[0] + below(band[1] - band[0] + 1);
      const std::string typed =
          std::to_string(mhz) + "." + std::to_string(10000 + below(10000)).substr(1);
      document.table.At(BankOf(n), RowOf(n), kFieldFrequency) =
          FormatFrequency(CorrectFrequency(typed), hide_leading_zeros);
      std::string tag;
      for (int length = below(11); length > 0; --length) tag += tag_chars[below(tag_chars.size())];
      document.table.At(BankOf(n), RowOf(n), kFieldTag) = std::string(TrimBlanks(tag));
      document.table.At(BankOf(n), RowOf(n), kFieldSubtone) =
          std::to_string(below(kLastSubtoneCode + 1));
      for (const int field : {kFieldDelay, kFieldLockOut, kFieldBeepAlert, kFieldAtt}) {
        document.table.At(BankOf(n), RowOf(n), field) = std::to_string(below(2));
      }
    }
    SCOPED_TRACE("seed " + std::to_string(seed));
    const std::string text = ChannelListText(document.table, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    const std::string expected = Channels(document.table);
    if (expected.empty()) continue;  // an empty list has no Locations to go by
    ASSERT_EQ(Channels(ImportedAtLocations(text, hide_leading_zeros).table), expected);
  }
}

// Rows go to their Locations only when each picked row names a channel 1..200 of its own; rows
// that are skipped or not picked do not count.
TEST(ChannelList, PutsRowsAtTheirLocationsOnlyWhenEachNamesAChannelOfItsOwn) {
  struct Case {
    const char* locations;  // one row a location, all at 146.52 MHz except "x" rows (80 MHz)
    std::vector<std::size_t> picked;
    std::vector<int> channels;  // empty: the Locations are no places
  };
  const Case cases[] = {
      {"5 40", {0, 1}, {5, 40}},
      {"200 1", {0, 1}, {200, 1}},
      {"0 1", {0, 1}, {}},  // 0 is the common tool's first memory, no channel
      {"0 1", {1}, {1}},    // ... unless that row is not picked
      {"7 201", {0, 1}, {}},
      {"7 7", {0, 1}, {}},            // two rows for one channel
      {"7 x7 8", {0, 1, 2}, {7, 8}},  // the skipped row's Location does not count
      {"7 -", {0, 1}, {}},            // no Location
      {"7 5a", {0, 1}, {}},
      {"7 5.0", {0, 1}, {}},
      {"7 +5", {0, 1}, {}},
      {"x7", {0}, {}},  // nothing to place
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locations);
    std::string text = "Location,Frequency\n";
    std::istringstream words(c.locations);
    for (std::string word; words >> word;) {
      const bool out_of_band = word[0] == 'x';
      text += (word == "-" ? "" : word.substr(out_of_band ? 1 : 0)) +
              (out_of_band ? ",80\n" : ",146.52\n");
    }
    const ChannelList list = ReadChannelList(text);
    EXPECT_EQ(LocationsArePlaces(list, c.picked), !c.channels.empty());
    std::vector<int> channels;
    for (const ListPlacement& placement : PlaceAtLocations(list, c.picked)) {
      channels.push_back(placement.channel);
    }
    EXPECT_EQ(channels, c.channels);
  }
  // The switch columns: any case of On and Off; anything else leaves the switch to the defaults.
  const ChannelList list =
      ReadChannelList("Frequency,Delay,BeepAlert,Attenuator\n146.52,on,OFF,maybe\n146.53,,,\n");
  ASSERT_EQ(list.entries.size(), 2u);
  EXPECT_EQ(list.entries[0].delay, true);
  EXPECT_EQ(list.entries[0].beep_alert, false);
  EXPECT_EQ(list.entries[0].att, std::nullopt);
  EXPECT_EQ(list.entries[0].notes,
            std::vector<std::string>{"ATT maybe is neither On nor Off: from the default data"});
  EXPECT_EQ(list.entries[1].delay, std::nullopt);
  EXPECT_TRUE(list.entries[1].notes.empty());
}

long long Hz(const std::string& mhz) { return std::llround(std::stod(mhz) * 1e6); }

// Whether a stock channel lies where its service's channel plan puts the channel its tag names,
// for the plans that are rules: the AAR's channels 15 kHz apart, FRS/GMRS and MURS by number,
// marine VHF by channel number (the coast side 4.6 MHz above the ship's), the weather channels
// 25 kHz apart, the 800 MHz interoperability channels 500 kHz apart, and each repeater input paired
// with its output (UHF 5 MHz above, 800 MHz 45 MHz below). None for a tag no rule covers.
std::optional<bool> FitsPlan(const std::string& tag, long long hz,
                             const std::map<std::string, long long>& listed) {
  int n = 0;
  char side[4] = "";
  const char* text = tag.c_str();
  if (std::sscanf(text, "AAR %d", &n) == 1) return hz == 160'215'000 + (n - 7) * 15'000LL;
  if (std::sscanf(text, "FRS %d", &n) == 1) {
    return hz == (n <= 7    ? 462'562'500 + (n - 1) * 25'000LL
                  : n <= 14 ? 467'562'500 + (n - 8) * 25'000LL
                            : 462'550'000 + (n - 15) * 25'000LL);
  }
  if (std::sscanf(text, "MURS %d", &n) == 1) {
    return hz == (n <= 3 ? 151'820'000 + (n - 1) * 60'000LL : 154'570'000 + (n - 4) * 30'000LL);
  }
  if (std::sscanf(text, "MAR %d%*[A ]%3s", &n, side) >= 1) {
    const long long ship = n <= 28 ? 156'000'000 + n * 50'000LL : 156'025'000 + (n - 60) * 50'000LL;
    return hz == ship + (std::string(side) == "CST" ? 4'600'000 : 0);
  }
  if (tag.starts_with("NOAA WX")) return hz >= 162'400'000 && hz <= 162'550'000 && hz % 25'000 == 0;
  if (std::sscanf(text, "8TAC%d", &n) == 1 || std::sscanf(text, "8CALL%d", &n) == 1) {
    if (!tag.ends_with(" IN")) return hz == 851'012'500 + (n - 90) * 500'000LL;
  }
  if (tag.ends_with(" IN")) {
    const auto output = listed.find(tag.substr(0, tag.size() - 3));
    if (output == listed.end()) return false;
    return hz == output->second + (output->second > 800'000'000 ? -45'000'000 : 5'000'000);
  }
  return std::nullopt;
}

// Every stock list as the program installs it: each row imports, its tag the whole name, in the
// scanner's bands, at the frequency its channel plan names where the plan is a rule; the rows 2.5
// kHz off the 5 kHz step come in corrected with a note; the import fills as many channels as the
// list has rows; each list names its source and date; and the index names every list file.
TEST(StockLists, EachImportsWholeWithTagsThatFitAtTheFrequenciesItsPlanNames) {
  struct Case {
    std::string_view name;
    std::size_t channels;
    std::size_t planned;    // rows a plan's rule covers
    std::size_t corrected;  // rows that come in with the rounding note
  };
  const Case cases[] = {{"noaa-weather", 7, 7, 0},   {"frs-gmrs", 22, 22, 0},
                        {"murs", 5, 5, 0},           {"marine-vhf", 55, 55, 0},
                        {"railroad-aar", 91, 91, 0}, {"interop", 23, 14, 5},
                        {"aviation", 7, 0, 0}};
  const std::filesystem::path resources(TALVIREX_RESOURCES);
  const std::vector<StockList> lists = FindStockLists(resources);
  std::set<std::string> indexed, files;
  for (const auto& file : std::filesystem::directory_iterator(resources / "stock")) {
    if (file.path().extension() == ".csv") files.insert(file.path().stem().string());
  }
  for (const StockList& stock : lists) {
    SCOPED_TRACE(stock.name);
    indexed.insert(stock.name);
    const Case* expected = nullptr;
    for (const Case& c : cases) expected = c.name == stock.name ? &c : expected;
    ASSERT_NE(expected, nullptr) << "a stock list this test does not know";
    EXPECT_NE(stock.source.find_first_not_of(' '), std::string::npos);
    EXPECT_TRUE(std::regex_match(stock.taken, std::regex("20[0-9]{2}-[01][0-9]-[0-3][0-9]")));
    const ChannelList list = ReadChannelList(ReadBytes(stock.path));
    ASSERT_FALSE(list.error.has_value());
    std::map<std::string, long long> listed;
    std::set<long long> frequencies;
    for (const ListEntry& entry : list.entries) {
      listed[entry.tag] = Hz(entry.frequency);
      frequencies.insert(Hz(entry.frequency));
    }
    EXPECT_EQ(listed.size(), list.entries.size()) << "two rows with one tag";
    EXPECT_EQ(frequencies.size(), list.entries.size()) << "two rows on one frequency";
    std::size_t planned = 0, corrected = 0;
    for (const ListEntry& entry : list.entries) {
      SCOPED_TRACE(entry.name + " " + entry.frequency);
      EXPECT_FALSE(entry.skipped.has_value()) << *entry.skipped;
      EXPECT_EQ(entry.tag, entry.name);
      EXPECT_LE(entry.tag.size(), 10u);
      EXPECT_TRUE(IsInScannerBand(entry.frequency));
      if (const auto fits = FitsPlan(entry.tag, Hz(entry.frequency), listed)) {
        ++planned;
        EXPECT_TRUE(*fits);
      }
      if (entry.notes.empty()) continue;
      ++corrected;
      EXPECT_EQ(Hz(entry.frequency) - Hz(entry.corrected_frequency), 2500);
      EXPECT_EQ(entry.notes, std::vector<std::string>{
                                 "frequency rounded down to the scanner's step: " +
                                 FormatFrequencyPlain(TrimBlanks(entry.corrected_frequency))});
    }
    EXPECT_EQ(planned, expected->planned);
    EXPECT_EQ(corrected, expected->corrected);
    std::vector<std::size_t> all(list.entries.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
    Document document;
    ImportEntries(document, list, PlaceEntries(list, all, 1), DefaultData{}, false);
    std::size_t in_use = 0;
    for (int n = 1; n <= kChannelCount; ++n) {
      in_use += document.table.FrequencyValue(BankOf(n), RowOf(n)) > 0 ? 1 : 0;
    }
    EXPECT_EQ(in_use, expected->channels);
  }
  EXPECT_EQ(indexed.size(), std::size(cases));
  EXPECT_EQ(indexed, files) << "a list file the index does not name, or one it names that is not";
}

// The index names each list once, by a word the command line takes; a line that does not is left
// out, and the others keep their order.
TEST(StockLists, TheIndexNamesEachListOnceByAWordTheCommandLineTakes) {
  const std::vector<StockList> lists = ReadStockIndex(
      "# a.csv | a note | has | four fields\r\n\r\n"
      "a-1.csv | First | 47 CFR 1 | 2026-12-07\r\n"
      "  b09.csv|Second|  the plan|2025-01-02\n"
      "a-1.csv | Again | s | d\n"
      "C.csv | Upper case | s | d\n"
      "d e.csv | A blank | s | d\n"
      "../f.csv | A folder | s | d\n"
      "g_h.csv | Underline | s | d\n"
      "i.txt | Not a list | s | d\n"
      ".csv | No name | s | d\n"
      "j.csv |  | s | d\n"
      "k.csv | Three fields | s\n"
      "l.csv | Five | s | d | e\n"
      "zz.csv | Last & Least | s | d",
      "/data/stock");
  std::string found;
  for (const StockList& list : lists) {
    found += list.name + "|" + list.title + "|" + list.source + "|" + list.taken + "|" +
             list.path.string() + "\n";
  }
  EXPECT_EQ(found,
            "a-1|First|47 CFR 1|2026-12-07|/data/stock/a-1.csv\n"
            "b09|Second|the plan|2025-01-02|/data/stock/b09.csv\n"
            "zz|Last & Least|s|d|/data/stock/zz.csv\n");
  EXPECT_EQ(StockListNamed(lists, "b09"), &lists[1]);
  EXPECT_EQ(StockListNamed(lists, "b"), nullptr);
  // Found as the manual is: here, the data folder of a program installed in <root>/bin.
  TempDir root, none;
  std::filesystem::create_directories(root / "share/talvirex/stock");
  WriteBytes(root / "share/talvirex/stock/lists.txt", "x.csv | X | s | d\n");
  const std::vector<StockList> installed = FindStockLists(root / "bin");
  ASSERT_EQ(installed.size(), 1u);
  EXPECT_EQ(installed[0].path, root.path() / "share/talvirex/stock/x.csv");
  EXPECT_TRUE(FindStockLists(none.path()).empty());
}

}  // namespace
}  // namespace talvirex::testing
