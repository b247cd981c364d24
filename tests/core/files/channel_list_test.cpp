// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/channel_list.h"

#include <gtest/gtest.h>

#include "document.h"
#include "model/channel_table.h"
#include "model/default_data.h"
#include "support/temp_dir.h"

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
  for (const char* name : {"tool_writer", "database_utf8", "cp1252_cr", "semicolons"}) {
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

TEST(ChannelList, ExportsAsTheGoldenFileAndImportsBackToTheSameChannels) {
  Document document;
  const auto put = [&](int bank, int row, const char* mhz, const char* tag, const char* code,
                       const char* lock_out) {
    document.table.At(bank, row, kFieldFrequency) = mhz;
    document.table.At(bank, row, kFieldTag) = tag;
    document.table.At(bank, row, kFieldSubtone) = code;
    document.table.At(bank, row, kFieldLockOut) = lock_out;
  };
  put(0, 1, "146.9400", "W1AW", "38", "0");  // the last CTCSS tone
  put(0, 3, "118.3000", "Tower, 2  ", "0", "1");
  put(2, 20, "155.3400", "Fire", "40", "0");
  put(kDummyBank, 2, "851.0125", "Scratch", "142", "0");
  const std::string text = ChannelListText(document.table, {0, 1, 2, kDummyBank});
  EXPECT_EQ(text, ReadBytes(kLists + "exported.csv"));

  const ChannelList list = ReadChannelList(text);
  Document back;
  ImportEntries(back, list, PlaceEntries(list, {0, 1, 2}, 1), DefaultData{}, 0);
  const int channels[] = {1, 3, 60};
  for (int i = 0; i < 3; ++i) {
    const int n = channels[i];
    for (const int field : {kFieldFrequency, kFieldSubtone, kFieldLockOut}) {
      EXPECT_EQ(back.table.At(0, i + 1, field), document.table.At(BankOf(n), RowOf(n), field));
    }
  }
  EXPECT_EQ(back.table.At(0, 2, kFieldTag), "Tower, 2");  // trimmed, quoted and read back
}

}  // namespace
}  // namespace talvirex::testing
