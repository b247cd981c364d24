#include "files/channel_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_ports.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::ScriptedUi;

// The file a freshly started program writes, built line by line from the file layout.
std::string StartUpGolden() {
  std::string golden = "TALVIREX MEM V0.91\r\n";
  for (int n = 1; n <= 200; ++n) {
    golden += std::to_string(n) + ",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
  }
  golden += " \r\n";
  for (int i = 0; i < 10; ++i) {
    golden += "#$BT" + std::to_string(i) + " Bank: " + std::to_string(i + 1) + "\r\n";
  }
  golden += "#$BT10 Dummy\r\n#$BT11 Search\r\n";
  std::string zeros;
  for (int i = 0; i < 10; ++i) zeros += ",\"0\"";
  golden += "#$LKM" + zeros + "\r\n#$LKS" + zeros + "\r\n";
  for (int b = 0; b < 10; ++b) {
    golden += "PRCH" + std::to_string(b) + " " + std::to_string(b * 20 + 1) + "\r\n";
  }
  for (int i = 0; i <= 20; ++i) {
    golden += "SET" + std::to_string(i) + " " + (i < 10 ? "1" : "0") + "\r\n";
  }
  golden += "SRC0 \r\nSRC1 \r\n";
  return golden;
}

TEST(ChannelFile, StartUpTablesWriteTheGoldenFile) {
  EXPECT_EQ(ChannelFileBytes(Workspace{}), StartUpGolden());
}

// Reads `bytes` into `read`, expecting success.
void ReadBack(const std::string& bytes, Workspace& read) {
  ScriptedUi ui;
  const auto failure = ReadChannelFile(bytes, read, ui);
  EXPECT_FALSE(failure.has_value()) << failure->message;
}

// Reads `bytes` into `read`, expecting a failure.
ChannelFileFailure ReadFails(const std::string& bytes, Workspace& read) {
  ScriptedUi ui;
  auto failure = ReadChannelFile(bytes, read, ui);
  EXPECT_TRUE(failure.has_value());
  return failure.value_or(ChannelFileFailure{});
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
  ws.bank_names[10] = "Scratch";  // the Dummy bank's name travels with the file, unlike its channels
  ws.bank_names[11] = "";
  ws.priority = {5, 40, 41, 61, 99, 101, 121, 141, 161, 200, 0};
  for (int i = 0; i <= 20; ++i) ws.scanner_settings[i] = i % 10;
  ws.scanner_settings[13] = 10;  // above nine: only the last digit is kept
  ws.search_range = {"118.0000", "136.9750", ""};
  return ws;
}

TEST(ChannelFile, WriteThenReadRestoresWhatTheFileHolds) {
  const Workspace written = FilledWorkspace();
  Workspace read;
  read.table.At(10, 3, kFieldFrequency) = "145.0000";  // the Dummy bank comes back blank
  ReadBack(ChannelFileBytes(written), read);

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
  for (int i = 0; i <= 20; ++i) EXPECT_EQ(read.scanner_settings[i], i == 13 ? 0 : i % 10);
  EXPECT_EQ(read.search_range[0], "118");
  EXPECT_EQ(read.search_range[1], "136.975");
  EXPECT_EQ(read.search_range[2], "");
}

TEST(ChannelFile, QuotesAndLineBreaksAreWrittenAsBlanksAndTextIsWindows1252) {
  Workspace written;
  written.table.At(0, 1, kFieldFrequency) = "145.5000";
  written.table.At(0, 1, kFieldTag) = "Say \"hi\"\r\nX";
  written.table.At(0, 2, kFieldTag) = "Flughafen Zürich €";
  written.bank_names[0] = "Two\nlines";
  written.bank_names[1] = "A \"quoted\" name";  // a line record reads quotes back fine
  const std::string bytes = ChannelFileBytes(written);
  EXPECT_NE(bytes.find("Z\xFCrich \x80"), std::string::npos);
  Workspace read;
  ReadBack(bytes, read);
  EXPECT_EQ(read.table.At(0, 1, kFieldTag), "Say  hi   X");
  EXPECT_EQ(read.table.At(0, 2, kFieldTag), "Flughafen Zürich €");
  EXPECT_EQ(read.table.At(0, 2, kFieldFrequency), "");
  EXPECT_EQ(read.bank_names[0], "Two lines");
  EXPECT_EQ(read.bank_names[1], "A \"quoted\" name");
  EXPECT_EQ(read.bank_names[2], "Bank: 3");
}

TEST(ChannelFile, Version090KeepsTheSearchRange) {
  Workspace written;
  std::string bytes = ChannelFileBytes(written);
  bytes.replace(bytes.find("V0.91"), 5, "V0.90");
  bytes.erase(bytes.find("SRC0"));
  Workspace read;
  read.search_range = {"25", "30", "x"};
  ReadBack(bytes, read);
  EXPECT_EQ(read.search_range[0], "25");
  EXPECT_EQ(read.search_range[1], "30");
}

TEST(ChannelFile, MagicMayStandAmongOtherTextButNoOtherVersion) {
  Workspace written;
  std::string bytes = ChannelFileBytes(written);
  bytes.replace(0, 18, "xx TALVIREX MEM V0.91 yy");
  Workspace read;
  ReadBack(bytes, read);

  const std::string refused[] = {
      "TALVIREX MEM V0.92\r\n1,\"\"\r\n", "", "\x01\x02\xFF binary", "hello,world\r\n"};
  for (const std::string& other : refused) {
    Workspace untouched;
    untouched.table.At(0, 1, kFieldFrequency) = "145.5000";
    const ChannelFileFailure failure = ReadFails(other, untouched);
    if (other.empty()) {
      EXPECT_EQ(failure.code, kErrorInputPastEnd);
    } else {
      EXPECT_TRUE(failure.not_compatible);
      EXPECT_EQ(failure.message, "File is not compatible.");
    }
    EXPECT_EQ(untouched.table.At(0, 1, kFieldFrequency), "145.5000");
  }
}

TEST(ChannelFile, AFileCutShortReportsWhereItEndedAndKeepsWhatWasRead) {
  Workspace written = FilledWorkspace();
  std::string bytes = ChannelFileBytes(written);
  bytes.erase(bytes.find("\r\n100,") + 2);  // channel 99 is the last complete record
  Workspace read;
  EXPECT_EQ(ReadFails(bytes, read).message, "Not a valid file! Line: 4 / 20 / 0 Error: 62");
  EXPECT_EQ(read.table.At(4, 19, kFieldFrequency), written.table.At(4, 19, kFieldFrequency));
  EXPECT_EQ(read.table.At(4, 20, kFieldFrequency), "0");
  EXPECT_EQ(read.table.At(9, 20, kFieldFrequency), "0");
}

TEST(ChannelFile, APriorityTooLargeForASmallIntegerFails) {
  Workspace written;
  std::string bytes = ChannelFileBytes(written);
  bytes.replace(bytes.find("PRCH3 61"), 8, "PRCH3 99999");
  Workspace read;
  EXPECT_EQ(ReadFails(bytes, read).code, kErrorOverflow);
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
  ReadBack(lf, read);
  const auto record5 = lf.find("\n5,") + 1;
  lf.replace(record5, lf.find('\n', record5) - record5, "5,\"1\"");
  EXPECT_EQ(ReadFails(lf, read).code, kErrorInputPastEnd);
}

TEST(ChannelFile, GarbageAfterAValidMagicNeverCrashes) {
  std::string bytes = "TALVIREX MEM V0.91\r\n";
  for (int i = 0; i < 5000; ++i) bytes += static_cast<char>((i * 7919) % 256);
  bytes += std::string(3u << 20, 'x');  // one line of several megabytes
  Workspace read;
  EXPECT_EQ(ReadFails(bytes, read).code, kErrorInputPastEnd);
  EXPECT_EQ(read.table.At(9, 20, kFieldFrequency), "0");
}

}  // namespace
}  // namespace talvirex
