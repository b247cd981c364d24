#include "features/bank_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "features/bank_names_form.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string NumberedLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "Name " + std::to_string(i) + "\r\n";
  return text;
}

TEST(NamesFile, AppliesLinesInOrder) {
  struct Case {
    const char* label;
    std::string bytes;
    std::vector<std::string> expected;  // the first names; the rest keep their defaults
  };
  std::vector<std::string> eleven;
  for (int i = 0; i < 11; ++i) eleven.push_back("Name " + std::to_string(i));
  const Case cases[] = {
      {"comma becomes semicolon, space stays", "North, South\r\n", {"North; South"}},
      {"five lines set five names", NumberedLines(5), {eleven.begin(), eleven.begin() + 5}},
      {"a thousand lines: the first eleven count", NumberedLines(1000), eleven},
      {"no cut, no trim, quotes kept; LF and lone CR end lines",
       "  a very long bank name indeed  \n\"q\"\rthird\r\n",
       {"  a very long bank name indeed  ", "\"q\"", "third"}},
      {"empty lines give empty names", "\r\n\r\nx", {"", "", "x"}},
      {"Windows-1252 bytes", "Caf\xE9\r\n", {"Caf\xC3\xA9"}},
      {"empty file", "", {}},
  };
  const BankNameList defaults = DefaultBankNames();
  EXPECT_EQ(defaults[9], "Bank: 10");
  EXPECT_EQ(defaults[10], "Dummy");
  EXPECT_EQ(defaults[11], "Search");
  for (const auto& c : cases) {
    BankNameList names = defaults;
    ApplyNamesFile(c.bytes, names);
    for (std::size_t i = 0; i < 12; ++i) {
      EXPECT_EQ(names[i], i < c.expected.size() ? c.expected[i] : defaults[i])
          << c.label << ", name " << i;
    }
  }
}

TEST(NamesFile, BinaryGarbageGivesElevenValidNamesAndNothingElse) {
  std::mt19937 random(7);
  std::string garbage(4096, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  BankNameList names = DefaultBankNames();
  ApplyNamesFile(garbage, names);
  EXPECT_EQ(names[11], "Search");
  for (int i = 0; i < 11; ++i) {
    EXPECT_EQ(names[i].find_first_of(",\r\n"), std::string::npos) << i;
  }
  // What was read goes back into a file of exactly eleven lines.
  const std::string bytes = NamesFileBytes(names);
  BankNameList again = DefaultBankNames();
  ApplyNamesFile(bytes, again);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 11);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 11);

  // A line end spelled as an overlong sequence stays inside its name when written.
  BankNameList overlong = DefaultBankNames();
  ApplyNamesFile("\xE0\x80\x8C\xE0\x80\x84\xE0\x80\x8D", overlong);
  const std::string written = NamesFileBytes(overlong);
  EXPECT_EQ(std::count(written.begin(), written.end(), '\r'), 11);
  EXPECT_EQ(written.substr(0, 5), "???\r\n");
}

TEST(NamesFile, WritesElevenCrLfLinesInWindows1252) {
  BankNameList names = DefaultBankNames();
  names[0] = "Caf\xC3\xA9";
  names[1] = "two\r\nlines";
  names[11] = "not stored";
  std::string expected = "Caf\xE9\r\ntwo  lines\r\n";
  for (int b = 2; b < 10; ++b) expected += "Bank: " + std::to_string(b + 1) + "\r\n";
  expected += "Dummy\r\n";
  EXPECT_EQ(NamesFileBytes(names), expected);
}

TEST(NamesFile, SaveThenLoadInTheProgramFolder) {
  TempDir folder;
  Workspace written;
  written.bank_names[3] = "Air band";
  written.bank_names[10] = "Scratch";
  written.bank_names[11] = "Edge";
  SaveBankNames(written, folder.path());
  EXPECT_EQ(ReadBytes(folder / "names.dat").substr(0, 9), "Bank: 1\r\n");

  Workspace read;
  LoadBankNames(read, folder.path());
  EXPECT_EQ(read.bank_names[3], "Air band");
  EXPECT_EQ(read.bank_names[10], "Scratch");
  EXPECT_EQ(read.bank_names[11], "Search");
}

TEST(NamesFile, FailuresAreSilentAndChangeNothing) {
  TempDir folder;
  Workspace ws;
  ws.bank_names[0] = "Kept";
  LoadBankNames(ws, folder.path());  // no file
  EXPECT_EQ(ws.bank_names[0], "Kept");

  std::filesystem::create_directory(folder / "names.dat");  // a folder in its place
  LoadBankNames(ws, folder.path());
  SaveBankNames(ws, folder.path());
  EXPECT_EQ(ws.bank_names[0], "Kept");

  SaveBankNames(ws, folder / "missing" / "folder");
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

TEST(BankCaptions, TabsAndViewMenu) {  // the usual captions are the main window's tests
  BankNameList names = DefaultBankNames();
  names[2] = " ";
  EXPECT_EQ(BankTabCaption(names, 10), "D: Dummy");
  EXPECT_EQ(BankTabCaption(names, 10, DummyTabCaption::kNameOnly), "Dummy");
  EXPECT_EQ(ViewMenuBankCaption(names, 2), "");
  EXPECT_EQ(BankTabCaption(names, 11) + BankTabCaption(names, -1) + ViewMenuBankCaption(names, 12),
            "");
}

TEST(BankNamesForm, CenterAndLeft) {
  struct Case {
    const char* field;
    const char* centered;
    const char* left;
  };
  const Case cases[] = {
      {"Police", "     Police", "Police"},                           // 6 characters: 5 spaces
      {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP"},  // 16: nothing
      {"   Fire  ", "      Fire", "Fire"},  // stripped first
      {"ABCDEFGHIJKLMNO Q", "ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMNO"},  // cut, then stripped
      {"Caf\xC3\xA9", "      Caf\xC3\xA9", "Caf\xC3\xA9"},          // characters, not bytes
  };
  for (const auto& c : cases) {
    Workspace ws;
    ws.bank_names[11] = "  Edge  ";
    BankNamesForm form;
    form.Load(ws);
    form.SetField(0, c.field);
    form.SetField(10, c.field);
    form.Center();
    EXPECT_EQ(form.Field(0), c.centered) << c.field;
    EXPECT_EQ(form.Field(10), c.centered) << c.field;
    EXPECT_EQ(form.Field(11), "  Edge  ");
    form.SetField(0, c.field);
    form.Left();
    EXPECT_EQ(form.Field(0), c.left) << c.field;
    EXPECT_EQ(form.Field(11), "  Edge  ");
  }
}

TEST(BankNamesForm, OkStoresWhatTheFieldsHold) {
  Workspace ws;
  BankNamesForm form;
  form.Load(ws);
  EXPECT_EQ(form.Field(3), "Bank: 4");
  EXPECT_EQ(form.Counter(9), 8);
  form.SetField(2, "");
  form.SetField(5, "Name, \"quoted\" and far too long");
  form.SetField(6, "line\nbreak");
  form.SetField(12, "outside");  // no such field: nothing happens
  form.Ok(ws);
  EXPECT_EQ(ws.bank_names[2], " ");
  EXPECT_EQ(BankTabCaption(ws.bank_names, 2), "3:  ");
  EXPECT_EQ(ws.bank_names[5], "Name, \"quoted\" a");
  EXPECT_EQ(ws.bank_names[6], "line break");
  EXPECT_EQ(ws.bank_names[11], "Search");
  EXPECT_TRUE(ws.unsaved_changes);
}

TEST(BankNamesForm, ClearAllDefaultAndTheUnsavedFlag) {
  Workspace ws;
  ws.bank_names[9] = "Marine";
  BankNamesForm form;
  form.Load(ws);
  form.ClearAll();
  for (int i = 0; i < 12; ++i) EXPECT_EQ(form.Counter(i), 0);
  form.Default();
  form.Ok(ws);
  EXPECT_EQ(ws.bank_names[9], "Bank: 10");
  EXPECT_TRUE(ws.unsaved_changes);

  ws.unsaved_changes = false;
  form.Load(ws);
  form.Ok(ws);  // nothing changed
  EXPECT_FALSE(ws.unsaved_changes);

  form.SetField(10, "Scratch");  // the Dummy bank's name is kept in channel files too
  form.Ok(ws);
  EXPECT_TRUE(ws.unsaved_changes);
}

}  // namespace
}  // namespace talvirex
