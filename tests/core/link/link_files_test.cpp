// SPDX-License-Identifier: GPL-3.0-or-later
// What the link keeps on disk and in the registry: image backups, transfer traces and the port
// setup; and the framing of received bytes into messages.

#include <gtest/gtest.h>

#include "image/clone_image.h"
#include "image/image_file.h"
#include "link/image_backup.h"
#include "link/line_framer.h"
#include "link/port_setup.h"
#include "link/transfer_trace.h"
#include "settings/registry_store.h"
#include "support/fake_ports.h"
#include "support/golden.h"
#include "support/temp_dir.h"

namespace talvirex::testing {
namespace {

namespace fs = std::filesystem;

TEST(ImageBackup, WritesTheImageUnderATimeStampedNameAndRemovesOnlyItsOwnOlderThanAYear) {
  TempDir home;
  CloneImage image;
  BuildDefaultImage(image);
  const ImageBackup written =
      WriteImageBackup(image, home.path(), {2026, 12, 5, 16, 50, 7}, BackupKind::kRead);
  ASSERT_FALSE(written.failure.has_value());
  const fs::path* path = &written.path;
  EXPECT_EQ(path->filename(), "2026-12-05_16-50-07_read.img");
  EXPECT_EQ(ReadBytes(*path), ImageFileText(image));

  const auto now = fs::file_time_type::clock::now();
  const std::pair<const char*, bool> files[] = {
      // name, removed
      {"2025-01-01_10-00-00_read.img", true},
      {"2025-01-01_10-00-01_send.img", true},
      {"12-05-2025_16_50_00sc200membackup.mem", false},  // a channel file backup stays
      {"2025-01-01_10-00-0x_read.img", false},
      {"notes.img", false}};  // not ours
  for (const auto& [name, _] : files) {
    WriteBytes(home / "backup" / name, "x");
    fs::last_write_time(home / "backup" / name, now - std::chrono::hours(24 * 400));
  }
  EXPECT_EQ(RemoveOldImageBackups(home.path(), now), 2);
  for (const auto& [name, removed] : files)
    EXPECT_EQ(fs::exists(home / "backup" / name), !removed) << name;
  EXPECT_TRUE(fs::exists(*path));  // recent
  fs::last_write_time(*path, now - std::chrono::hours(24 * kImageBackupDays));
  EXPECT_EQ(RemoveOldImageBackups(home.path(), now), 0) << "a year old to the hour stays";
  TempDir empty;
  EXPECT_EQ(RemoveOldImageBackups(empty.path(), now), 0);
}

TEST(TransferTrace, RecordsBothDirectionsAndKeepsTheLastTen) {
  FakeClock clock({2026, 12, 5, 16, 50, 1});
  TransferTrace trace(clock);
  trace.Status("Waiting for scanner...");
  trace.Sent("MDL\r");
  trace.Received("SC200\x01\r\n");
  EXPECT_EQ(trace.Text(),
            "16:50:01 = Waiting for scanner...\n16:50:01 > MDL\\r\n16:50:01 < SC200\\x01\\r\\n\n");
  TempDir home;
  for (int i = 0; i < 12; ++i)
    ASSERT_TRUE(KeepTrace(trace, home.path(), {2026, 12, 5, 16, 50, i}, "read"));
  const std::vector<std::string> names = FileNames(home / "traces");
  ASSERT_EQ(names.size(), 10u);
  EXPECT_EQ(names.front() + " " + names.back(),
            "2026-12-05_16-50-02_read.trace 2026-12-05_16-50-11_read.trace");
}

TEST(PortSetup, LoadsTheStoredPortAndPacingAndStoresThemWithTheSuffix) {
  ExpectTable("tables/port_setup.txt", [](const std::string& stored) {
    RegistryStore store = RegistryStore::Parse("[" + std::string(kRegistryKey) + "]\n" + stored);
    const PortSetup setup = PortSetup::Load(store);
    setup.Store(store);
    return std::to_string(setup.selected_option()) + " " + setup.other_entry() + " " +
           std::to_string(setup.Port().number) + " " + std::to_string(setup.pacing_ms()) +
           ", stored " + store.RegistryGet("comport", "?x") + " " +
           store.RegistryGet("timer1", "?x");
  });
  PortSetup other;  // a device path in the "other:" entry is used and remembered
  other.SetOtherEntry(" /dev/pts/7 ");
  other.SelectOption(PortSetup::kOtherOption);
  RegistryStore store;
  other.Store(store);
  const PortSetup again = PortSetup::Load(store);
  EXPECT_EQ(again.selected_option(), PortSetup::kOtherOption);
  EXPECT_EQ(again.Port(), (PortAddress{1, "/dev/pts/7"}));
  EXPECT_EQ(again.Port().Describe() + " " + PortAddress({4, ""}).Describe(), "/dev/pts/7 com4");
}

TEST(LineFramer, CutsMessagesWhateverThePiecesAndDropsOverlongNoise) {
  using namespace std::string_literals;
  const struct {
    std::vector<std::string> pieces;
    std::vector<std::string> messages;
    std::size_t left;
  } cases[] = {
      {{"CLN 00", "10 AB", "\r"}, {"CLN 0010 AB"}, 0},  // one message over three reads
      {{"OK\rNG\rMD", "L\rE", "ND\r"}, {"OK", "NG", "MDL", "END"}, 0},
      {{"OK\r\n", "\nNG\r"}, {"OK", "NG"}, 0},  // line feeds after CR skipped
      {{"\r\r"}, {"", ""}, 0},
      {{"A\0B\r"s}, {"A\0B"s}, 0},  // NUL bytes kept
      {{"M", "D", "L", "\r", "\r", "E"}, {"MDL", ""}, 1},
      {{"OK\r" + std::string(LineFramer::kMaxPendingBytes + 1, 'x'), "NG\r"}, {"OK", "NG"}, 0},
      {{"\r" + std::string(LineFramer::kMaxPendingBytes + 1, 'x')}, {""}, 0},
  };
  for (const auto& c : cases) {
    LineFramer framer;
    std::vector<std::string> messages;
    for (const auto& piece : c.pieces) {
      framer.Feed(piece);
      while (auto message = framer.Next()) messages.push_back(*message);
    }
    EXPECT_EQ(messages, c.messages) << c.pieces.front().substr(0, 10);
    EXPECT_EQ(framer.pending(), c.left);
  }
  LineFramer framer;  // noise in small pieces never grows the buffer past its bound
  std::size_t most = 0;
  for (std::size_t i = 0; i < 3 * LineFramer::kMaxPendingBytes; ++i) {
    framer.Feed("zz");
    most = std::max(most, framer.pending());
  }
  EXPECT_LE(most, LineFramer::kMaxPendingBytes);
  EXPECT_GT(framer.dropped(), 0u);
  framer.Feed("\rOK\r");
  framer.Next();
  EXPECT_EQ(framer.Next(), "OK");
}

}  // namespace
}  // namespace talvirex::testing
