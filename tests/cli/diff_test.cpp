#include <gtest/gtest.h>

#include "files/channel_file.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::RunCommand;
using testing::TempDir;
using testing::WriteBytes;

TEST(DiffCommand, ListsChangedChannelsAndSettingsButNotSpellings) {
  TempDir dir;
  Workspace a;
  a.table.At(1, 3, kFieldFrequency) = "145.1200";
  a.table.At(1, 3, kFieldTag) = "Tower";
  a.table.At(2, 1, kFieldFrequency) = "162.5500";
  Workspace b = a;
  b.table.At(1, 3, kFieldFrequency) = " 145.12";  // the same frequency, spelt otherwise
  b.table.At(2, 1, kFieldTag) = "Weather";
  b.priority[4] = 90;
  b.bank_names[0] = "Air";
  WriteBytes(dir / "a.s2c", ChannelFileBytes(a));
  WriteBytes(dir / "b.s2c", ChannelFileBytes(b));

  const auto diff = [&](std::vector<std::string> files) {
    files.insert(files.begin(), "diff");
    return RunCommand(TALVIREX_BINARY, files, dir.path());
  };
  const std::string a_path = (dir / "a.s2c").string();
  const auto differ = diff({a_path, (dir / "b.s2c").string()});
  EXPECT_EQ(differ.status, 1);
  EXPECT_EQ(differ.out,
            "Channel 41 (Bank 3, row 1): Tag \"\" -> \"Weather\"\n"
            "Bank name 0: \"Bank: 1\" -> \"Air\"\n"
            "Priority channel of bank index 4: 81 -> 90\n");

  const auto same = diff({a_path, a_path});
  EXPECT_EQ(same.status, 0);
  EXPECT_EQ(same.out, "");

  EXPECT_EQ(diff({a_path, (dir / "x.s2c").string()}).status, 2);
  EXPECT_EQ(diff({a_path}).status, 1);
}

}  // namespace
}  // namespace talvirex
