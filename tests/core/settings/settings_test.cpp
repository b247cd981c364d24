// The settings: setup.ini and defdata.ini, the registry store, the Software Options form and
// where the program finds its documents.

#include <gtest/gtest.h>

#include "settings/program_documents.h"
#include "settings/program_files.h"
#include "settings/program_folder.h"
#include "settings/registry_store.h"
#include "settings/settings.h"
#include "settings/software_options_form.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex::testing {
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
      {"zero=\"1\"", &Settings::zero, 1, "zero=1"},
      {"align='2'", &Settings::align, 2, "align=2"},
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
  const Settings other = LoadSettings("cleartag=1\n[other]\nzero=1\n[setup]\nexpert=1\n");
  EXPECT_EQ(other.cleartag * 100 + other.zero * 10 + other.expert, 1);
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
      "[Software\\Vorna\\TALVIRA\\settings]\r\ncomport=3x\r\nempty=\r\nno value\r\n=5x\r\nbracket=1]\r\nnul=4\0"
      "5x\r\n[Other]\r\ncomport=9x\r\n");
  EXPECT_EQ(read.RegistryGet("comport", "1x") + "|" + read.RegistryGet("empty", "7x") + "|" +
                read.RegistryGet("nul", "7x"),
            "3|7|");  // "nul" is cut at the NUL: "4", less its last character
  EXPECT_EQ(RegistryStore::Parse("[Software\\Vorna\\TALVIRA\\settings]\n[]\ncomport=9x\n").RegistryGet("comport", "1x"),
            "1");  // "[]" names no key: its lines belong to none
  EXPECT_EQ(read.Serialize(), "[Software\\Vorna\\TALVIRA\\settings]\nbracket=1]\ncomport=3x\nempty=\nnul=4\n");
  // A lone CR ends a line too, so whatever is read stores and reads back unchanged.
  RegistryStore odd = RegistryStore::Parse("[Software\\Vorna\\TALVIRA\\settings]\ncomport=31\rf\n");
  EXPECT_EQ(odd.RegistryGet("comport", "1x"), "3");
  odd.RegistryPut("comport", "3\r\n");
  EXPECT_EQ(RegistryStore::Parse(odd.Serialize()).RegistryGet("comport", "1x"), "3  ");
}

using Form = SoftwareOptionsForm;

// Each row shows and stores its own setting and no other; a flag other than 1 shows unticked.
TEST(SoftwareOptionsForm, EachRowEditsItsOwnSetting) {
  const std::pair<Form::Option, int Settings::*> rows[] = {
      {Form::kEasyTagList, &Settings::option9}, {Form::kClearTags, &Settings::cleartag},
      {Form::kRememberTags, &Settings::remtags}, {Form::kInfoBox, &Settings::infob},
      {Form::kHideZeros, &Settings::zero},      {Form::kLoadLast, &Settings::loadlast},
      {Form::kWindowPosition, &Settings::window}, {Form::kReverseShift, &Settings::shiftdir},
      {Form::kTabWidths, &Settings::tabwidth},
  };
  for (const auto& [option, setting] : rows) {
    for (const int stored : {1, 7}) {
      Settings settings;
      settings.remtags = 0;
      settings.*setting = stored;
      Form form;
      form.Load(settings);
      for (int i = 0; i < Form::kOptionCount; ++i) {
        EXPECT_EQ(form.options[i], stored == 1 && i == option) << option << " shows row " << i;
      }
      form.options[option] = !form.options[option];
      Settings expected = settings;
      expected.*setting = stored == 1 ? 0 : 1;
      form.Ok(settings);
      EXPECT_EQ(settings, expected) << option;
    }
  }
  EXPECT_TRUE(!Form::OptionCaption(0).empty() && Form::OptionCaption(Form::kOptionCount).empty() &&
              Form::OptionControlIndex(-1) == -1);
}

TEST(SoftwareOptionsForm, BackupDelayAlignmentAndTheRest) {
  const struct {
    int stored, scroll_to, shown;  // scroll_to 0: not moved
    const char* unit;
    int align, shown_align, chosen_align, stored_align;
  } cases[] = {
      {1, 0, 1, "Minute.", 0, 0, 2, 2},   {250, 0, 1, "Minute.", 2, 2, 0, 0},
      {15, 2, 2, "Minutes.", 3, -1, -1, 3}, {15, 500, 99, "Minutes.", -1, -1, 1, 1},
      {0, -3, 1, "Minute.", 1, 1, 1, 1},
  };
  for (const auto& c : cases) {
    Settings settings;
    settings.backupdelay = c.stored;
    settings.align = c.align;
    settings.backena = 2;  // not exactly 1: unticked, stored as 0
    settings.expert = 1;   // not in the dialog: kept
    Form form;
    form.Load(settings);
    if (c.scroll_to != 0) form.SetBackupDelay(c.scroll_to);
    EXPECT_EQ(form.DelayLabel() + " " + form.UnitLabel(), std::to_string(c.shown) + " " + c.unit);
    EXPECT_EQ(form.alignment, c.shown_align) << c.align;
    EXPECT_FALSE(form.backup_enabled);
    form.alignment = c.chosen_align;
    form.Ok(settings);
    EXPECT_EQ(std::vector<int>({settings.backupdelay, settings.align, settings.backena, settings.expert}),
              std::vector<int>({c.shown, c.stored_align, 0, 1}));
  }
}

namespace fs = std::filesystem;

// TALVIREX_HOME, else the desktop's configuration folder, else the home folder's; a variable set
// to nothing counts as not set. The folder is made.
TEST(ProgramFolder, TheEnvironmentChoosesItAndAnEmptyVariableIsNoChoice) {
  TempDir dir;
  const fs::path cwd = fs::current_path();
  fs::current_path(dir.path());
  const char* names[] = {"TALVIREX_HOME", "XDG_CONFIG_HOME", "HOME"};
  std::vector<std::optional<std::string>> saved;
  for (const char* name : names) {
    const char* value = std::getenv(name);
    saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
  }
  const struct {
    const char* values[3];  // nullptr: not set
    const char* found;      // under `dir`
  } cases[] = {
      {{"t", "x", "h"}, "t"},
      {{"", "x", "h"}, "x/talvirex"},
      {{nullptr, "", "h"}, "h/.config/talvirex"},
      {{nullptr, nullptr, ""}, "talvirex"},
  };
  for (const auto& c : cases) {
    for (int i = 0; i < 3; ++i) {
      if (c.values[i]) ::setenv(names[i], (*c.values[i] ? (dir / c.values[i]).c_str() : ""), 1);
      else ::unsetenv(names[i]);
    }
    EXPECT_EQ(ProgramFolder(), dir / c.found);
    EXPECT_TRUE(fs::is_directory(dir / c.found)) << c.found;
  }
  for (int i = 0; i < 3; ++i) {
    if (saved[i]) ::setenv(names[i], saved[i]->c_str(), 1);
    else ::unsetenv(names[i]);
  }
  fs::current_path(cwd);
}

// <prefix>/bin holds the program: a document beside it wins over the shared data folder's copy,
// and a folder of the document's name is not the document.
TEST(ProgramDocuments, FoundBesideTheProgramFirstThenInTheSharedDataFolder) {
  const struct {
    bool beside, shared, folder_beside;
    const char* found;  // "beside", "shared" or ""
  } layouts[] = {
      {true, false, false, "beside"}, {false, true, false, "shared"}, {true, true, false, "beside"},
      {false, false, false, ""},      {false, true, true, "shared"},
  };
  for (const auto& layout : layouts) {
    TempDir prefix;
    const fs::path beside = prefix / "bin" / "Manual" / "talvir.pdf";
    const fs::path shared = prefix / "share" / "talvirex" / "Manual" / "talvir.pdf";
    fs::create_directories(prefix / "bin");
    for (const auto& [put, file] : {std::pair{layout.beside, beside}, {layout.shared, shared}}) {
      if (!put) continue;
      fs::create_directories(file.parent_path());
      WriteBytes(file, "%PDF");
    }
    if (layout.folder_beside) fs::create_directories(beside);
    const auto found = FindDocument(prefix / "bin", kUserManualDocument);
    const std::string where = !found ? "" : fs::equivalent(*found, beside) ? "beside" : "shared";
    EXPECT_EQ(where, layout.found) << layout.beside << layout.shared << layout.folder_beside;
  }
}

TEST(ProgramDocuments, TheMissingMessageNamesEveryPlaceLookedAt) {
  TempDir prefix;
  const std::string text = MissingDocumentText(prefix / "bin", kUserManualDocument);
  EXPECT_TRUE(text.starts_with("The user manual was not found.\r\n"));
  for (const fs::path& place : DocumentCandidates(prefix / "bin", kUserManualDocument)) {
    EXPECT_NE(text.find(place.string()), std::string::npos) << place;
  }
  EXPECT_EQ(text.find(".."), std::string::npos) << "a place the user can go to as it is written";
  EXPECT_TRUE(MissingDocumentText(prefix / "bin", kHelpDocument).starts_with("The help was not found."));
}

}  // namespace
}  // namespace talvirex::testing
