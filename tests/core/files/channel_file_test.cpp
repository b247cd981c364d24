// Reading and writing channel files beyond the golden files (golden_test.cpp): what only a
// workspace can hold, older versions, and files that are not whole.

#include "files/channel_file.h"
#include "files/channel_diff.h"

#include <gtest/gtest.h>

#include "support/fake_ports.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

const std::string kTable = ReadBytes(std::string(TALVIREX_TEST_DATA) + "/golden/table.s2c");

std::optional<ChannelFileFailure> Read(const std::string& bytes, Workspace& ws) {
  ScriptedUi ui;
  return ReadChannelFile(bytes, ws, ui);
}

TEST(ChannelFile, ReadingBlanksTheDummyBankAndNumbersTheRecords) {
  Workspace read;
  read.table.At(kDummyBank, 3, kFieldFrequency) = "145.0000";
  read.table.At(kDummyBank, 3, kFieldTag) = "scratch";
  read.search_range = {"25", "30", "x"};
  ASSERT_FALSE(Read(kTable, read));
  EXPECT_EQ(read.table.At(kDummyBank, 3, kFieldFrequency) + read.table.At(kDummyBank, 3, kFieldTag),
            "0");
  EXPECT_EQ(read.table.At(4, 7, kFieldSpare), "87");
  EXPECT_EQ(read.bank_names[10], "Scratch");  // the Dummy bank's name travels, its channels do not
  std::string unquoted = kTable;  // as a hand-edited file may hold it: blanks around are dropped
  unquoted.replace(unquoted.find("\"F20\""), 5, " F20 \t");
  ASSERT_FALSE(Read(unquoted, read));
  EXPECT_EQ(read.table.At(0, 20, kFieldTag), "F20");
  std::string bare = kTable;  // a name line without even its blank leaves the name as it was
  bare.replace(bare.find("#$BT4 \r\n"), 8, "#$BT4\r\n");
  read.bank_names[4] = "kept";
  ASSERT_FALSE(Read(bare, read));
  EXPECT_EQ(read.bank_names[4], "kept");

  // Version 0.90 has no search range: the one in the workspace stays.
  std::string old = kTable;
  old.replace(old.find("V0.91"), 5, "V0.90");
  old.erase(old.find("SRC0"));
  ASSERT_FALSE(Read(old, read));
  EXPECT_EQ(read.search_range[0] + read.search_range[1], "118136.975");
  read.search_range = {"25", "30", "x"};
  old.replace(old.rfind("SET20 9"), 9, "SET20 5");  // the last line without its line end
  ASSERT_FALSE(Read(old, read));
  EXPECT_EQ(read.search_range[0] + read.search_range[1], "2530");
  EXPECT_EQ(read.scanner_settings[20], 5);
}

TEST(ChannelFile, QuotesAndLineBreaksAreWrittenAsBlanksAndTextIsWindows1252) {
  Workspace written;
  written.table.At(0, 1, kFieldTag) = "Say \"hi\"\r\nX";
  written.table.At(0, 2, kFieldTag) = "Flughafen Zürich €";
  written.bank_names[0] = "Two\nlines";
  written.bank_names[1] = "A \"quoted\" name";  // a line record reads quotes back fine
  written.bank_names[9] = "Ten";
  const std::string bytes = ChannelFileBytes(written);
  EXPECT_NE(bytes.find("Z\xFCrich \x80"), std::string::npos);
  Workspace read, utf8;  // a file in UTF-8 is read as such
  ASSERT_FALSE(Read(ChannelFileText(written), utf8));
  EXPECT_EQ(utf8.table.At(0, 2, kFieldTag), "Flughafen Zürich €");
  for (const char* tail : {"\xC3", "\xC0\x80"}) {  // a cut sequence, an overlong one: not UTF-8
    ASSERT_FALSE(Read(ChannelFileText(written) + tail, utf8));
    EXPECT_EQ(utf8.table.At(0, 2, kFieldTag), "Flughafen ZÃ¼rich â‚¬");
  }
  ASSERT_FALSE(Read(bytes, read));
  EXPECT_EQ(read.table.At(0, 1, kFieldTag), "Say  hi   X");
  EXPECT_EQ(read.table.At(0, 2, kFieldTag), "Flughafen Zürich €");
  EXPECT_EQ(read.bank_names[0], "Two lines");
  EXPECT_EQ(read.bank_names[1], "A \"quoted\" name");
  EXPECT_EQ(read.bank_names[9], "Ten");
}

TEST(ChannelFile, OnlyThisVersionsMagicIsReadAndMayStandAmongOtherText) {
  Workspace read;
  std::string framed = kTable;
  framed.replace(0, 18, "xx TALVIREX MEM V0.91 yy");
  ASSERT_FALSE(Read(framed, read));
  EXPECT_EQ(read.table.At(0, 9, kFieldFrequency), "162.5500");
  for (const std::string other :
       {"TALVIREX MEM V0.92\r\n1,\"\"\r\n", "\x01\x02\xFF binary", "hello,world\r\n", ""}) {
    Workspace untouched;
    untouched.table.At(0, 1, kFieldFrequency) = "145.5000";
    const auto failure = Read(other, untouched);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->not_compatible, !other.empty());
    EXPECT_EQ(failure->code, other.empty() ? kErrorInputPastEnd : 0);
    EXPECT_EQ(failure->message, other.empty() ? "Not a valid file! Line:  /  /  Error: 62"
                                              : "File is not compatible.");
    EXPECT_EQ(untouched.table.At(0, 1, kFieldFrequency), "145.5000");
  }
}

// A file that ends early or holds a value too large fails where it happened and keeps what was read.
TEST(ChannelFile, AFileNotWholeReportsWhereItFailedAndKeepsWhatWasRead) {
  std::string lf;
  for (const char c : kTable) {
    if (c != '\r') lf += c;
  }
  std::string short_record = lf;  // too few fields take the next line's: the file ends early
  const auto record5 = short_record.find("\n5,") + 1;
  short_record.replace(record5, short_record.find('\n', record5) - record5, "5,\"1\"");
  std::string garbage = "TALVIREX MEM V0.91\r\n";
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  garbage += std::string(3u << 20, 'x');  // one line of several megabytes
  std::string overflow = kTable;
  overflow.replace(overflow.find("PRCH3 -4"), 8, "PRCH3 32768");
  const struct {
    std::string bytes;
    int code;
    std::string message;  // empty: any position
  } cases[] = {
      {kTable.substr(0, kTable.find("\r\n81,") + 2), 62, "Not a valid file! Line: 4 / 1 / 0 Error: 62"},
      {short_record, 62, "Not a valid file! Line: 10 / 18 / 8 Error: 62"},
      {garbage, 62, ""},
      {overflow, 6, "Not a valid file! Line: 10 / 3 / 8 Error: 6"},
  };
  for (const auto& c : cases) {
    Workspace read;
    const auto failure = Read(c.bytes, read);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->code, c.code);
    EXPECT_TRUE(c.message.empty() || failure->message == c.message) << failure->message;
  }
  Workspace read;
  Read(cases[0].bytes, read);
  EXPECT_EQ(read.table.At(3, 20, kFieldFrequency) + read.table.At(4, 1, kFieldFrequency), "512.00000");
  Read(overflow, read);
  EXPECT_EQ(read.priority[2], 256);  // read before the failure
  std::string largest = kTable;
  largest.replace(largest.find("PRCH3 -4"), 8, "PRCH3 -32767");
  ASSERT_FALSE(Read(largest, read));
  EXPECT_EQ(read.priority[3], -32767);
  Workspace from_lf, from_crlf;  // LF-only lines read as well
  EXPECT_FALSE(Read(lf, from_lf) || Read(kTable, from_crlf));
  EXPECT_EQ(ChannelFileBytes(from_lf), ChannelFileBytes(from_crlf));
}

// Only channels in use are compared, frequencies by their number; then the lists, entry by entry.
TEST(DiffTables, ListsWhatDiffersInChannelsInUseAndInTheLists) {
  Document a, b;
  a.table.At(0, 1, kFieldFrequency) = " 145.12";
  b.table.At(0, 1, kFieldFrequency) = "145.1200";
  b.table.At(0, 1, kFieldTag) = "T";
  a.table.At(1, 2, kFieldTag) = "unused";
  b.table.At(9, 20, kFieldFrequency) = "146";
  b.bank_names[10] = "D";
  b.priority[9] = 7;
  b.scanner_settings[20] = 1;
  b.search_range[1] = "140";
  EXPECT_EQ(DiffTables(a, b), (std::vector<std::string>{
                                  "Channel 1 (Bank 1, row 1): Tag \"\" -> \"T\"",
                                  "Channel 200 (Bank 10, row 20): Freq. (MHz) \"\" -> \"146\"",
                                  "Bank name 10: \"Dummy\" -> \"D\"",
                                  "Priority channel of bank index 9: 181 -> 7",
                                  "Scanner setting 20: 0 -> 1",
                                  "Search range 1: \"\" -> \"140\""}));
}

}  // namespace
}  // namespace talvirex::testing
