#include "settings/settings.h"

#include <gtest/gtest.h>

#include "settings/program_files.h"
#include "settings/registry_store.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex {
namespace {

TEST(Settings, ValuesAreCorrectedAsTheyAreReadAndWrittenBackAtExit) {
  const Settings defaults = LoadSettings("");
  EXPECT_EQ(defaults, Settings{});
  const std::string saved = SaveSettings(defaults);
  EXPECT_TRUE(saved.starts_with("[setup]\r\n"));
  EXPECT_TRUE(saved.ends_with("backupdelay=15\r\nbackena=1\r\nfindoptie0=0\r\nfindoptie1=0\r\n"
                              "findoptie2=0\r\ninfob=0\r\n")) << saved;
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 31);
  const struct {
    const char* line;
    int Settings::*member;
    int read;
    const char* written;  // the line written back at exit, "" for none
  } cases[] = {
      {"backupdelay=0", &Settings::backupdelay, 1, "backupdelay=1"},
      {"backupdelay=250", &Settings::backupdelay, 99, "backupdelay=99"},
      {"cleartag=7", &Settings::cleartag, 7, "cleartag=0"},
      {"option2=1", &Settings::option2, 0, "option2=0"},
      {"align=2", &Settings::align, 2, "align=2"},
      {"align=5", &Settings::align, 5, ""},
      {"align=-1", &Settings::align, -1, ""},
      {"zero=abc", &Settings::zero, 0, "zero=0"},
      {"  ZERO = 1 ", &Settings::zero, 1, "zero=1"},
      {"backena=3", &Settings::backena, 3, "backena=0"},
      {"infob=1", &Settings::infob, 0, "infob=0"},
  };
  for (const auto& c : cases) {
    const Settings s = LoadSettings(std::string("[setup]\r\n") + c.line + "\r\n");
    EXPECT_EQ(s.*c.member, c.read) << c.line;
    const std::string written = SaveSettings(s);
    const std::string line = *c.written ? std::string(c.written) + "\r\n" : "align=";
    EXPECT_EQ(written.find(line) != std::string::npos, *c.written != '\0') << c.line;
  }
  // Only the setup section counts; LF lines read; a value is cut at 255 characters.
  const Settings other = LoadSettings("[other]\nzero=1\n[setup]\nexpert=1\n");
  EXPECT_EQ(other.zero * 10 + other.expert, 1);
  EXPECT_EQ(ReadSetting("[setup]\nx=" + std::string(300, '7'), "x", "").size(), 255u);
}

TEST(Settings, FilesRoundTripThroughTheProgramFolder) {
  testing::TempDir dir;
  Workspace ws;
  ws.settings.zero = 1;
  ws.settings.backupdelay = 42;
  ws.settings.findoptie1 = 1;
  ws.default_data.apply[3] = 1;
  ws.default_data.value[2] = 1;
  SaveSettingsFiles(ws, dir.path());
  Workspace next;
  LoadSettingsFiles(next, dir.path());
  EXPECT_EQ(next.settings, ws.settings);
  EXPECT_EQ(next.default_data, ws.default_data);
}

TEST(DefaultData, StartValuesAndTheFileRules) {
  EXPECT_EQ(LoadDefaultData(""), DefaultData{});
  std::string text;
  for (int i = 0; i < 22; ++i) text += (i == 1 ? " 5 " : i == 12 ? "2" : "1") + std::string("\r\n");
  const DefaultData read = LoadDefaultData(text);
  EXPECT_EQ(read.apply[0] * 100 + read.apply[1] * 10 + read.value[1], 102);  // 5 is no flag; values as read
  const std::string saved = SaveDefaultData(read);
  EXPECT_EQ(LoadDefaultData(saved), read);
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 22);
}

TEST(RegistryStore, ValuesCarryTheXSuffixAndReadBackAsStored) {
  RegistryStore store;
  EXPECT_EQ(store.RegistryGet("comport", "1x"), "1");
  store.RegistryPut("timer1", "12");
  EXPECT_NE(store.Serialize().find("timer1=12x"), std::string::npos);
  EXPECT_EQ(RegistryStore::Parse(store.Serialize()).RegistryGet("timer1", "5x"), "12");
  const RegistryStore read = RegistryStore::Parse(
      "[Software\\Vorna\\TALVIRA\\settings]\r\ncomport=3x\r\nempty=\r\nnul=4\0"
      "5x\r\n[Other]\r\ncomport=9x\r\n");
  EXPECT_EQ(read.RegistryGet("comport", "1x") + "|" + read.RegistryGet("empty", "7x") + "|" +
                read.RegistryGet("nul", "7x"),
            "3|7|");  // "nul" is cut at the NUL: "4", less its last character
  // A lone CR ends a line too, so whatever is read stores and reads back unchanged.
  RegistryStore odd = RegistryStore::Parse("[Software\\Vorna\\TALVIRA\\settings]\ncomport=31\rf\n");
  EXPECT_EQ(odd.RegistryGet("comport", "1x"), "3");
  odd.RegistryPut("comport", "3\r\n");
  EXPECT_EQ(RegistryStore::Parse(odd.Serialize()).RegistryGet("comport", "1x"), "3  ");
}

}  // namespace
}  // namespace talvirex
