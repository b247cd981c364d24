// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/bank_names.h"

#include <gtest/gtest.h>

#include "editor/easy_fill.h"
#include "features/bank_names_form.h"
#include "features/priority_form.h"
#include "features/scanner_options_form.h"
#include "support/golden.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

// The names after applying `bytes` to the defaults, joined by "|".
std::string Applied(const std::string& bytes) {
  BankNameList names = DefaultBankNames();
  ApplyNamesFile(bytes, names);
  std::string joined = names[0];
  for (std::size_t i = 1; i < names.size(); ++i) joined += "|" + names[i];
  return joined;
}

TEST(NamesFile, AppliesItsLinesInOrderToTheFirstElevenNames) {
  ExpectTable("tables/names_files.txt", Applied);
  std::string many;
  for (int i = 0; i < 1000; ++i) many += "N" + std::to_string(i) + "\r\n";
  EXPECT_EQ(Applied(many), "N0|N1|N2|N3|N4|N5|N6|N7|N8|N9|N10|Search");
}

TEST(NamesFile, WritesElevenCrLfLinesInWindows1252WhateverTheNames) {
  BankNameList names = DefaultBankNames();
  names[0] = "Caf\xC3\xA9";
  names[1] = "two\r\nlines";
  names[11] = "not stored";
  std::string expected = "Caf\xE9\r\ntwo  lines\r\n";
  for (int b = 3; b <= 10; ++b) expected += "Bank: " + std::to_string(b) + "\r\n";
  EXPECT_EQ(NamesFileBytes(names), expected + "Dummy\r\n");
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
  EXPECT_EQ(read.bank_names[3] + "|" + read.bank_names[10] + "|" + read.bank_names[11],
            "Air band|Scratch|Search");

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
  EXPECT_EQ(BankTabCaption(names, 10) + "|" + BankTabCaption(names, 10, DummyTabCaption::kNameOnly),
            "D: Dummy|Dummy");
  EXPECT_EQ(BankTabCaption(names, 4) + "|" + ViewMenuBankCaption(names, 4), "5:   Fire|Fire");
  EXPECT_EQ(ViewMenuBankCaption(names, 0) + ViewMenuBankCaption(names, 2) +
                ViewMenuBankCaption(names, 10) + ViewMenuBankCaption(names, 11),
            "Bank: 1DummySearch / Edge");
  EXPECT_EQ(PriorityForm::BankCaption(0) + " " + ScannerOptionsForm::BankCaption(9), "Bank: 1 10");
  EXPECT_EQ(BankTabCaption(names, 11) + BankTabCaption(names, -1) + ViewMenuBankCaption(names, 12),
            "");
}

// The Bank Tags dialog runs in the editor sessions (tests/data/editor/dialogs.txt).
TEST(KeyFilters, EachFieldTakesItsKeys) {
  ExpectTable("tables/key_filters.txt", [](const std::string& typed) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(typed[i]); };
    const char32_t key = typed.size() == 2 ? (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F) : byte(0);
    std::string fields;
    for (const bool takes : {EasyFillForm::AcceptsChannelKey(key),
                             EasyFillForm::AcceptsNumberKey(key), EasyFillForm::AcceptsTagKey(key),
                             PriorityForm::AcceptsKey(key), BankNamesForm::AcceptsKey(key)}) {
      fields += takes ? "+" : "-";
    }
    return fields;
  });
}

}  // namespace
}  // namespace talvirex::testing
