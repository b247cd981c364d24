#include "features/bank_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "features/bank_names_form.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

// The names after applying `bytes` to the defaults, joined by "|".
std::string Applied(std::string_view bytes) {
  BankNameList names = DefaultBankNames();
  ApplyNamesFile(bytes, names);
  std::string joined = names[0];
  for (std::size_t i = 1; i < names.size(); ++i) joined += "|" + names[i];
  return joined;
}

TEST(NamesFile, AppliesItsLinesInOrderToTheFirstElevenNames) {
  const std::string rest = "|Bank: 4|Bank: 5|Bank: 6|Bank: 7|Bank: 8|Bank: 9|Bank: 10|Dummy|Search";
  std::string many;
  for (int i = 0; i < 1000; ++i) many += "N" + std::to_string(i) + "\r\n";
  const std::pair<std::string, std::string> cases[] = {
      {"", "Bank: 1|Bank: 2|Bank: 3" + rest},
      {"North, South\r\n", "North; South|Bank: 2|Bank: 3" + rest},
      // no cut, no trim, quotes kept; LF and a lone CR end lines; empty lines give empty names
      {"  a very long bank name indeed  \n\"q\"\r\r\n", "  a very long bank name indeed  |\"q\"|" + rest},
      {"Caf\xE9\r\n", "Caf\xC3\xA9|Bank: 2|Bank: 3" + rest},  // Windows-1252
      {many, "N0|N1|N2|N3|N4|N5|N6|N7|N8|N9|N10|Search"},
  };
  for (const auto& [bytes, names] : cases) EXPECT_EQ(Applied(bytes), names) << bytes.substr(0, 20);
}

TEST(NamesFile, WritesElevenCrLfLinesInWindows1252WhateverTheNames) {
  BankNameList names = DefaultBankNames();
  names[0] = "Caf\xC3\xA9";
  names[1] = "two\r\nlines";
  names[11] = "not stored";
  std::string expected = "Caf\xE9\r\ntwo  lines\r\n";
  for (int b = 3; b <= 10; ++b) expected += "Bank: " + std::to_string(b) + "\r\n";
  EXPECT_EQ(NamesFileBytes(names), expected + "Dummy\r\n");

  // Garbage read in goes back out as eleven lines; a line end spelled as an overlong sequence
  // stays inside its name.
  std::mt19937 random(7);
  std::string garbage(4096, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  for (const std::string& bytes : {garbage, std::string("\xE0\x80\x8C\xE0\x80\x84\xE0\x80\x8D")}) {
    BankNameList read = DefaultBankNames();
    ApplyNamesFile(bytes, read);
    const std::string written = NamesFileBytes(read);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\r'), 11);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 11);
    for (int i = 0; i < 11; ++i) EXPECT_EQ(read[i].find_first_of(",\r\n"), std::string::npos) << i;
  }
}

TEST(NamesFile, SavesAndLoadsInTheProgramFolderAndFailsSilently) {
  TempDir folder;
  Workspace written;
  written.bank_names[3] = "Air band";
  written.bank_names[10] = "Scratch";
  written.bank_names[11] = "Edge";
  SaveBankNames(written, folder.path());
  Workspace read;
  LoadBankNames(read, folder.path());
  EXPECT_EQ(read.bank_names[3] + "|" + read.bank_names[10] + "|" + read.bank_names[11], "Air band|Scratch|Search");

  TempDir empty;
  LoadBankNames(read, empty.path());  // no file
  SaveBankNames(read, empty / "missing" / "folder");
  std::filesystem::create_directory(empty / "names.dat");  // a folder in its place
  LoadBankNames(read, empty.path());
  SaveBankNames(read, empty.path());
  EXPECT_EQ(read.bank_names[3], "Air band");
  EXPECT_FALSE(std::filesystem::exists(empty / "missing"));
}

TEST(BankCaptions, TabsAndViewMenu) {
  BankNameList names = DefaultBankNames();
  names[2] = " ";
  names[4] = "  Fire";
  EXPECT_EQ(BankTabCaption(names, 10) + "|" + BankTabCaption(names, 10, DummyTabCaption::kNameOnly), "D: Dummy|Dummy");
  EXPECT_EQ(BankTabCaption(names, 4) + "|" + ViewMenuBankCaption(names, 4), "5:   Fire|Fire");
  EXPECT_EQ(ViewMenuBankCaption(names, 2) + ViewMenuBankCaption(names, 11), "Search / Edge");
  EXPECT_EQ(BankTabCaption(names, 11) + BankTabCaption(names, -1) + ViewMenuBankCaption(names, 12), "");
}

TEST(BankNamesForm, CenterAndLeftCutStripAndPadFieldsZeroToTen) {
  const struct {
    const char *field, *centered, *left;
  } cases[] = {
      {"Police", "     Police", "Police"},                           // 6 characters: 5 spaces
      {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP"},  // 16: nothing
      {"   Fire  ", "      Fire", "Fire"},                           // stripped first
      {"ABCDEFGHIJKLMNO Q", "ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMNO"},  // cut, then stripped
      {"Caf\xC3\xA9", "      Caf\xC3\xA9", "Caf\xC3\xA9"},          // characters, not bytes
      {"  ", "", ""},
  };
  for (const auto& c : cases) {
    Workspace ws;
    ws.bank_names[11] = "  Edge  ";
    BankNamesForm form;
    form.Load(ws);
    form.SetField(0, c.field);
    form.SetField(10, c.field);
    form.Center();
    EXPECT_EQ(form.Field(0) + "|" + form.Field(10) + "|" + form.Field(11), std::string(c.centered) + "|" + c.centered + "|  Edge  ");
    form.SetField(0, c.field);
    form.Left();
    EXPECT_EQ(form.Field(0) + "|" + form.Field(11), std::string(c.left) + "|  Edge  ");
  }
}

TEST(BankNamesForm, OkStoresTheFieldsAndMarksOnlyARealChange) {
  Workspace ws;
  BankNamesForm form;
  form.Load(ws);
  EXPECT_EQ(form.Field(3) + "/" + std::to_string(form.Counter(9)), "Bank: 4/8");
  form.Ok(ws);
  EXPECT_FALSE(ws.unsaved_changes);
  form.SetField(2, "");
  form.SetField(5, "Name, \"quoted\" and far too long");
  form.SetField(6, "line\nbreak");
  form.SetField(12, "outside");  // no such field: nothing happens
  EXPECT_EQ(form.Field(12), "");
  form.Ok(ws);
  EXPECT_EQ(ws.bank_names[2] + "|" + ws.bank_names[5] + "|" + ws.bank_names[6] + "|" + ws.bank_names[11],
            " |Name, \"quoted\" a|line break|Search");
  EXPECT_TRUE(ws.unsaved_changes);

  ws.bank_names[9] = "Marine";
  form.Load(ws);
  form.ClearAll();
  for (int i = 0; i < 12; ++i) EXPECT_EQ(form.Counter(i), 0) << i;
  form.Default();
  ws.unsaved_changes = false;
  form.Ok(ws);
  EXPECT_EQ(ws.bank_names[9], "Bank: 10");
  EXPECT_TRUE(ws.unsaved_changes);
  ws.unsaved_changes = false;
  form.SetField(10, "Scratch");  // the Dummy bank's name is kept in channel files too
  form.Ok(ws);
  EXPECT_TRUE(ws.unsaved_changes);
  EXPECT_TRUE(BankNamesForm::AcceptsKey(U'a') && BankNamesForm::AcceptsKey(8) && BankNamesForm::AcceptsKey(U'~'));
  EXPECT_FALSE(BankNamesForm::AcceptsKey(U',') || BankNamesForm::AcceptsKey(U'"') ||
               BankNamesForm::AcceptsKey(13) || BankNamesForm::AcceptsKey(127) || BankNamesForm::AcceptsKey(U'\u00e9'));
}

}  // namespace
}  // namespace talvirex::testing
