// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "settings/program_files.h"
#include "settings/registry_store.h"
#include "support/golden.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex {
namespace {

// Without setup.ini every setting has its default, and the file written at exit is the golden one.
TEST(Settings, WithoutSetupIniEveryDefaultAndThirtyOneLinesAtExit) {
  const Settings s = LoadSettings("");
  EXPECT_EQ(s, Settings{});
  testing::ExpectGolden("tables/setup.ini", SaveSettings(s));
}

TEST(Settings, ValuesAreCorrectedAsTheyAreRead) {
  const auto lines_of = [](const std::string& text) {
    std::set<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.insert(line.substr(0, line.find('\r')));
    return lines;
  };
  const std::set<std::string> plain = lines_of(SaveSettings(Settings{}));
  testing::ExpectTable("tables/setup_lines.txt", [&](const std::string& line) {
    const std::set<std::string> saved =
        lines_of(SaveSettings(LoadSettings("[setup]\r\n" + line + "\r\n")));
    std::string changes;
    for (const auto& added : saved) changes += plain.contains(added) ? "" : "+" + added + " ";
    for (const auto& gone : plain) changes += saved.contains(gone) ? "" : "-" + gone + " ";
    return changes.empty() ? "as without it" : changes.substr(0, changes.size() - 1);
  });
  // A number tested as "not 0" acts as on with the value read, though it is written back as 0.
  const Settings kept = LoadSettings("[setup]\r\nbackena=3\r\noption4=2\r\n");
  EXPECT_EQ(kept.periodic_backup, 3);
  EXPECT_EQ(kept.skip_exit_question, 2);
}

TEST(Settings, OnlyTheSetupSectionCountsAndLfLinesRead) {
  EXPECT_FALSE(LoadSettings("[other]\nzero=1\n[setup]\nexpert=1\n").hide_leading_zeros);
  EXPECT_TRUE(LoadSettings("[other]\nzero=1\n[setup]\nexpert=1\n").expert);
  EXPECT_EQ(ReadSetting("[setup]\nx=" + std::string(300, '7'), "x", "").size(), 255u);
}

TEST(Settings, FilesRoundTripThroughTheProgramFolder) {
  testing::TempDir dir;
  Workspace ws;
  ws.settings.hide_leading_zeros = true;
  ws.settings.backupdelay = 42;
  ws.settings.find_in_all_banks = true;
  ws.default_data.apply[3] = 1;
  ws.default_data.value[2] = 1;
  SaveSettingsFiles(ws, dir.path());
  Workspace next;
  LoadSettingsFiles(next, dir.path());
  EXPECT_EQ(next.settings, ws.settings);
  EXPECT_EQ(next.default_data, ws.default_data);
}

TEST(DefaultData, StartValuesAndTheFileRules) {
  const DefaultData start = LoadDefaultData("");
  EXPECT_EQ(start, DefaultData{});

  std::string text;
  for (int i = 0; i < 22; ++i) text += (i == 1 ? " 5 " : i == 12 ? "2" : "1") + std::string("\r\n");
  const DefaultData read = LoadDefaultData(text);
  EXPECT_EQ(read.apply[1], 0);  // 5 is not 0 or 1
  EXPECT_EQ(read.apply[0], 1);
  EXPECT_EQ(read.value[1], 2);  // values are taken as read
  EXPECT_EQ(LoadDefaultData(SaveDefaultData(read)), read);
  const std::string saved = SaveDefaultData(read);
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 22);
}

TEST(RegistryStore, ValuesCarryTheXSuffix) {
  RegistryStore store;
  EXPECT_EQ(store.RegistryGet("comport", "1x"), "1");
  store.RegistryPut("timer1", "12");
  EXPECT_NE(store.Serialize().find("timer1=12x"), std::string::npos);
  EXPECT_EQ(store.RegistryGet("timer1", "5x"), "12");

  const RegistryStore read = RegistryStore::Parse(
      "[Software\\Vorna\\TALVIRA\\settings]\r\ncomport=3x\r\nempty=\r\nnul=4\0"
      "5x\r\n[Other]\r\ncomport=9x\r\n");
  EXPECT_EQ(read.RegistryGet("comport", "1x"), "3");
  EXPECT_EQ(read.RegistryGet("empty", "7x"), "7");
  EXPECT_EQ(read.RegistryGet("nul", "7x"), "");  // cut at the NUL: "4", less its last character
  EXPECT_EQ(RegistryStore::Parse(store.Serialize()).RegistryGet("timer1", ""), "12");
}

}  // namespace
}  // namespace talvirex
