#include "link/image_backup.h"

#include <gtest/gtest.h>

#include "image/clone_image.h"
#include "image/image_file.h"
#include "link/transfer_trace.h"
#include "support/fake_ports.h"
#include "support/temp_dir.h"

namespace talvirex {
namespace {

using testing::FakeClock;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(ImageBackup, WritesTheImageUnderATimeStampedName) {
  TempDir home;
  CloneImage image;
  BuildDefaultImage(image);
  const auto path =
      WriteImageBackup(image, home.path(), {2026, 12, 5, 16, 50, 7}, BackupKind::kRead);
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(path->filename(), "2026-12-05_16-50-07_read.img");
  EXPECT_EQ(ReadBytes(*path), ImageFileText(image));
  EXPECT_TRUE(IsImageBackupName("2026-12-05_16-50-07_send.img"));

  const auto blocked = home / "blocked";
  WriteBytes(blocked, "a file where the folder should be");
  EXPECT_FALSE(
      WriteImageBackup(image, blocked, {2026, 1, 1, 0, 0, 0}, BackupKind::kSend).has_value());
}

TEST(ImageBackup, RemovesOnlyImageBackupsOlderThanAYear) {
  TempDir home;
  std::filesystem::create_directories(home / "backup");
  const auto now = std::filesystem::file_time_type::clock::now();
  const auto old = now - std::chrono::hours(24 * 400);
  const std::pair<const char*, bool> files[] = {
      {"2025-01-01_10-00-00_read.img", true},     // old image backup: removed
      {"2025-01-01_10-00-01_send.img", true},
      {"12-05-2025_16_50_00sc200membackup.mem", false},  // a channel file backup stays
      {"notes.img", false},                        // not one of ours
  };
  for (const auto& [name, _] : files) {
    WriteBytes(home.path() / "backup" / name, "x");
    std::filesystem::last_write_time(home.path() / "backup" / name, old);
  }
  WriteBytes(home.path() / "backup" / "2026-12-01_10-00-00_read.img", "recent");
  EXPECT_EQ(RemoveOldImageBackups(home.path(), now), 2);
  for (const auto& [name, removed] : files) {
    EXPECT_EQ(std::filesystem::exists(home.path() / "backup" / name), !removed) << name;
  }
  EXPECT_TRUE(std::filesystem::exists(home.path() / "backup" / "2026-12-01_10-00-00_read.img"));
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
            "16:50:01 = Waiting for scanner...\n"
            "16:50:01 > MDL\\r\n"
            "16:50:01 < SC200\\x01\\r\\n\n");

  TempDir home;
  for (int i = 0; i < 12; ++i) {
    ASSERT_TRUE(KeepTrace(trace, home.path(), {2026, 12, 5, 16, 50, i}, "read").has_value());
  }
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(home.path() / "traces")) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  ASSERT_EQ(names.size(), 10u);
  EXPECT_EQ(names.front(), "2026-12-05_16-50-02_read.trace");
  EXPECT_EQ(names.back(), "2026-12-05_16-50-11_read.trace");
}

}  // namespace
}  // namespace talvirex
