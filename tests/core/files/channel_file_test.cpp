#include "files/channel_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_ports.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::ScriptedUi;

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto end = text.find("\r\n", pos);
    if (end == std::string::npos) {
      lines.push_back(text.substr(pos));
      break;
    }
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

// The file a freshly started program writes, built line by line from the file layout.
std::string StartUpGolden() {
  std::string golden = "TALVIREX MEM V0.91\r\n";
  for (int n = 1; n <= 200; ++n) golden += std::to_string(n) + ",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
  golden += " \r\n";
  for (int i = 0; i < 10; ++i) golden += "#$BT" + std::to_string(i) + " Bank: " + std::to_string(i + 1) + "\r\n";
  golden += "#$BT10 Dummy\r\n#$BT11 Search\r\n";
  std::string zeros;
  for (int i = 0; i < 10; ++i) zeros += ",\"0\"";
  golden += "#$LKM" + zeros + "\r\n#$LKS" + zeros + "\r\n";
  for (int b = 0; b < 10; ++b) golden += "PRCH" + std::to_string(b) + " " + std::to_string(b * 20 + 1) + "\r\n";
  for (int i = 0; i <= 20; ++i) golden += "SET" + std::to_string(i) + " " + (i < 10 ? "1" : "0") + "\r\n";
  golden += "SRC0 \r\nSRC1 \r\n";
  return golden;
}

TEST(ChannelFile, StartUpTablesWriteTheGoldenFile) {
  const Workspace ws;
  const std::string bytes = ChannelFileBytes(ws);
  EXPECT_EQ(bytes, StartUpGolden());
  EXPECT_EQ(SplitCrLf(bytes).size(), 249u);
}

Workspace FilledWorkspace() {
  Workspace ws;
  for (int bank = 0; bank <= 10; ++bank) {
    for (int row = 1; row <= 20; ++row) {
      ws.table.At(bank, row, kFieldFrequency) = std::to_string(100 + bank * 20 + row) + ".1250";
      ws.table.At(bank, row, kFieldTag) = "T" + std::to_string(bank) + "," + std::to_string(row);
      for (int f = 3; f <= 7; ++f) ws.table.At(bank, row, f) = std::to_string((bank + row + f) % 2);
    }
  }
  ws.bank_names[3] = "  Police, Fire";
  ws.bank_names[11] = "";
  ws.priority = {5, 40, 41, 61, 99, 101, 121, 141, 161, 200, 0};
  for (int i = 0; i <= 20; ++i) ws.scanner_settings[i] = i % 10;
  ws.search_range = {"118.0000", "136.9750", ""};
  return ws;
}

TEST(ChannelFile, WriteThenReadRestoresWhatTheFileHolds) {
  const Workspace written = FilledWorkspace();
  Workspace read;
  read.table.At(10, 3, kFieldFrequency) = "145.0000";  // the Dummy bank comes back blank
  ScriptedUi ui;
  ASSERT_FALSE(ReadChannelFile(ChannelFileBytes(written), read, ui).has_value());

  for (int bank = 0; bank < 10; ++bank) {
    for (int row = 1; row <= 20; ++row) {
      for (int f = 1; f <= 7; ++f) {
        ASSERT_EQ(read.table.At(bank, row, f), written.table.At(bank, row, f)) << bank << row << f;
      }
      EXPECT_EQ(read.table.At(bank, row, kFieldSpare), std::to_string(bank * 20 + row));
    }
  }
  EXPECT_EQ(read.table.At(10, 3, kFieldFrequency), "0");
  EXPECT_EQ(read.table.At(10, 3, kFieldTag), "");
  EXPECT_EQ(read.bank_names, written.bank_names);
  EXPECT_EQ(read.priority[4], 99);
  EXPECT_EQ(read.priority[9], 200);
  EXPECT_EQ(read.scanner_settings, written.scanner_settings);
  EXPECT_EQ(read.search_range[0], "118");
  EXPECT_EQ(read.search_range[1], "136.975");
  EXPECT_EQ(read.search_range[2], "");
}

TEST(ChannelFile, SettingsAboveNineKeepOnlyTheirLastDigit) {
  Workspace written;
  written.scanner_settings[13] = 10;
  Workspace read;
  ScriptedUi ui;
  ASSERT_FALSE(ReadChannelFile(ChannelFileBytes(written), read, ui).has_value());
  EXPECT_EQ(read.scanner_settings[13], 0);
}

TEST(ChannelFile, QuotesAndLineBreaksAreWrittenAsBlanksSoTheFileReadsBack) {
  Workspace written;
  written.table.At(0, 1, kFieldFrequency) = "145.5000";
  written.table.At(0, 1, kFieldTag) = "Say \"hi\"\r\nX";
  written.bank_names[0] = "Two\nlines";
  written.bank_names[1] = "A \"quoted\" name";  // a line record reads quotes back fine
  Workspace read;
  ScriptedUi ui;
  ASSERT_FALSE(ReadChannelFile(ChannelFileBytes(written), read, ui).has_value());
  EXPECT_EQ(read.table.At(0, 1, kFieldTag), "Say  hi   X");
  EXPECT_EQ(read.table.At(0, 2, kFieldFrequency), "");
  EXPECT_EQ(read.bank_names[0], "Two lines");
  EXPECT_EQ(read.bank_names[1], "A \"quoted\" name");
  EXPECT_EQ(read.bank_names[2], "Bank: 3");
}

TEST(ChannelFile, NonAsciiTextIsWindows1252InTheFile) {
  Workspace written;
  written.table.At(0, 1, kFieldTag) = "Flughafen Zürich €";
  const std::string bytes = ChannelFileBytes(written);
  EXPECT_NE(bytes.find("Z\xFCrich \x80"), std::string::npos);
  Workspace read;
  ScriptedUi ui;
  ASSERT_FALSE(ReadChannelFile(bytes, read, ui).has_value());
  EXPECT_EQ(read.table.At(0, 1, kFieldTag), "Flughafen Zürich €");
}

TEST(ChannelFile, Version090KeepsTheSearchRange) {
  Workspace written;
  std::string bytes = ChannelFileBytes(written);
  bytes.replace(bytes.find("V0.91"), 5, "V0.90");
  bytes.erase(bytes.find("SRC0"));
  Workspace read;
  read.search_range = {"25", "30", "x"};
  ScriptedUi ui;
  ASSERT_FALSE(ReadChannelFile(bytes, read, ui).has_value());
  EXPECT_EQ(read.search_range[0], "25");
  EXPECT_EQ(read.search_range[1], "30");
}

TEST(ChannelFile, MagicMayStandAmongOtherTextButNoOtherVersion) {
  Workspace written;
  std::string bytes = ChannelFileBytes(written);
  bytes.replace(0, 18, "xx TALVIREX MEM V0.91 yy");
  Workspace read;
  ScriptedUi ui;
  EXPECT_FALSE(ReadChannelFile(bytes, read, ui).has_value());

  const std::string refused[] = {
      "TALVIREX MEM V0.92\r\n1,\"\"\r\n", "", "\x01\x02\xFF binary", "hello,world\r\n"};
  for (const std::string& other : refused) {
    Workspace untouched;
    untouched.table.At(0, 1, kFieldFrequency) = "145.5000";
    const auto failure = ReadChannelFile(other, untouched, ui);
    ASSERT_TRUE(failure.has_value());
    if (other.empty()) {
      EXPECT_EQ(failure->code, kErrorInputPastEnd);
    } else {
      EXPECT_TRUE(failure->not_compatible);
      EXPECT_EQ(failure->message, "File is not compatible.");
    }
    EXPECT_EQ(untouched.table.At(0, 1, kFieldFrequency), "145.5000");
  }
}

TEST(ChannelFile, AFileCutShortReportsWhereItEndedAndKeepsWhatWasRead) {
  Workspace written = FilledWorkspace();
  std::string bytes = ChannelFileBytes(written);
  bytes.erase(bytes.find("\r\n100,") + 2);  // channel 99 is the last complete record
  Workspace read;
  ScriptedUi ui;
  const auto failure = ReadChannelFile(bytes, read, ui);
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->message, "Not a valid file! Line: 4 / 20 / 0 Error: 62");
  EXPECT_EQ(read.table.At(4, 19, kFieldFrequency), written.table.At(4, 19, kFieldFrequency));
  EXPECT_EQ(read.table.At(4, 20, kFieldFrequency), "0");
  EXPECT_EQ(read.table.At(9, 20, kFieldFrequency), "0");
}

TEST(ChannelFile, BankNameLinesOfFiveCharactersKeepTheOldName) {
  Workspace written;
  std::string bytes = ChannelFileBytes(written);
  bytes.replace(bytes.find("#$BT0 Bank: 1"), 13, "#$BT0");
  bytes.replace(bytes.find("#$BT1 Bank: 2"), 13, "#$BT1 ");
  Workspace read;
  read.bank_names[0] = "Old";
  read.bank_names[1] = "Old";
  ScriptedUi ui;
  ASSERT_FALSE(ReadChannelFile(bytes, read, ui).has_value());
  EXPECT_EQ(read.bank_names[0], "Old");
  EXPECT_EQ(read.bank_names[1], "");
}

TEST(ChannelFile, APriorityTooLargeForASmallIntegerFails) {
  Workspace written;
  std::string bytes = ChannelFileBytes(written);
  bytes.replace(bytes.find("PRCH3 61"), 8, "PRCH3 99999");
  Workspace read;
  ScriptedUi ui;
  const auto failure = ReadChannelFile(bytes, read, ui);
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->code, kErrorOverflow);
  EXPECT_EQ(read.priority[2], 41);  // read before the failure
}

TEST(ChannelFile, LfOnlyFilesAndShortRecordsFollowTheItemRule) {
  // A record with too few fields takes the rest from the next line, so the file ends early.
  Workspace written;
  std::string bytes = ChannelFileBytes(written);
  std::string lf;
  for (char c : bytes) {
    if (c != '\r') lf += c;
  }
  Workspace read;
  ScriptedUi ui;
  EXPECT_FALSE(ReadChannelFile(lf, read, ui).has_value());

  const auto record5 = lf.find("\n5,") + 1;
  lf.replace(record5, lf.find('\n', record5) - record5, "5,\"1\"");
  const auto failure = ReadChannelFile(lf, read, ui);
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->code, kErrorInputPastEnd);
}

TEST(ChannelFile, GarbageAfterAValidMagicNeverCrashes) {
  std::string bytes = "TALVIREX MEM V0.91\r\n";
  for (int i = 0; i < 5000; ++i) bytes += static_cast<char>((i * 7919) % 256);
  bytes += std::string(3u << 20, 'x');  // one line of several megabytes
  Workspace read;
  ScriptedUi ui;
  const auto failure = ReadChannelFile(bytes, read, ui);
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->code, kErrorInputPastEnd);
  EXPECT_EQ(read.table.At(9, 20, kFieldFrequency), "0");
}

}  // namespace
}  // namespace talvirex
