// SPDX-License-Identifier: GPL-3.0-or-later
// Harvesting frequencies from text, and the import form's key filter and clipboard limit; the
// Advanced Data Import's lists and exports run in the editor sessions (tests/data/editor).

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "files/csv_import_form.h"
#include "files/harvester.h"
#include "support/fake_ports.h"
#include "support/golden.h"
#include "support/temp_dir.h"

namespace talvirex::testing {
namespace {

using Strings = std::vector<std::string>;
const std::string kData = std::string(TALVIREX_TEST_DATA) + "/harvest/";

Strings Scan(std::string_view text) {
  FoundList found;
  Harvester(found).ScanText(text);
  return found.entries();
}

TEST(AddCandidate, CleansTheEndsAndRefusesWhatIsNoFrequency) {
  ExpectTable("tables/candidates.txt", [](const std::string& token) {
    FoundList found;
    Harvester(found).AddCandidate(token);
    return found.entries().empty() ? std::string() : found.entries().front();
  });
}

TEST(ScanText, SeparatorsRepeatsAndPiecesInAwkwardPlaces) {
  ExpectTable("tables/scanned_texts.txt", [](const std::string& text) {
    std::string found;
    for (const std::string& entry : Scan(text)) found += (found.empty() ? "" : " ") + entry;
    return found;
  });
  FoundList found;
  Harvester harvester(found);
  for (int twice = 0; twice < 2; ++twice)
    harvester.ScanText(
        "154.1300,Sheriff,155.2200,1.5\xE9"
        "5");
  EXPECT_EQ(found.size(), 3u);

  const std::string text = ReadBytes(kData + "county_frequencies.htm");
  EXPECT_EQ(Scan(text), (Strings{"154.1300", "127.3", "155.2200", "462.5625", "453.1250",
                                 "458.1250", "460.0250", "465.0250", "155.3400", "151.6250", "67.0",
                                 "155.4750", "155.7525"}));
}

TEST(ScanStream, FilesInEitherCodePageAndOneLongLineReadInBlocks) {
  const std::pair<const char*, Strings> files[] = {
      {"airband.csv", {"118.3000", "121.9000", "127.6500", "156.8000"}},  // UTF-8, a BOM, quotes
      {"rail_cp1252.tab", {"160.2150", "160.2450", "161.1000"}},          // tabs, Windows-1252
  };
  for (const auto& [name, expected] : files) {
    std::ifstream in(kData + name, std::ios::binary);
    FoundList found;
    Harvester(found).ScanStream(in, [](std::size_t) {});
    EXPECT_EQ(found.entries(), expected) << name;
  }
  std::string line = "146.52 ";  // about 20 MB on one line: two frequencies at the ends
  line.reserve(20u << 20);
  while (line.size() < (20u << 20)) line += "Lorem ipsum dolor sit amet. ";
  std::istringstream in(line + "462.5625");
  FoundList found;
  int blocks = 0;
  EXPECT_TRUE(Harvester(found).ScanStream(in, [&](std::size_t) { ++blocks; }));
  EXPECT_EQ(found.entries(), (Strings{"146.52", "462.5625"}));
  EXPECT_GE(blocks, 20);
}

TEST(ScanText, StopsAboveAThousandEntriesAndHugeTokensDoNoHarm) {
  std::string text;
  for (int i = 0; i < 300000; ++i) text += std::to_string(100 + i) + ".5\r\n";
  FoundList found;
  Harvester harvester(found);
  harvester.ScanText(text.substr(0, 5000 * 8));
  EXPECT_EQ(found.size(), kFoundLimit + 1);
  EXPECT_TRUE(harvester.Full());
  harvester.ScanText("999.9");
  EXPECT_EQ(found.entries().back(), "1100.5");
  std::istringstream in(text);
  FoundList streamed;
  std::size_t last_report = 0;
  Harvester(streamed).ScanStream(in, [&](std::size_t done) { last_report = done; });
  EXPECT_EQ(streamed.entries(), found.entries());
  EXPECT_LT(last_report, text.size());  // the first block was enough

  EXPECT_EQ(Scan(std::string(5000, '7') + ".5"), Strings{"777777777777777"});
  // A token past 64 KiB is skipped, the next one is still found; one of 64 KiB is read, also
  // when it comes unfinished in one piece.
  EXPECT_EQ(Scan(std::string(kLongestToken + 10, '1') + ".5 146.52"), Strings{"146.52"});
  const std::string longest = std::string(kLongestToken - 2, '1') + ".5";
  EXPECT_EQ(Scan(longest), Strings{"111111111111111"});
  FoundList pieces;
  Harvester fed(pieces);
  fed.Feed(longest);
  fed.Finish();
  EXPECT_EQ(pieces.entries(), Strings{"111111111111111"});
}

TEST(CsvImportForm, TheStartFieldTakesDigitsAndControlKeysOnly) {
  EXPECT_TRUE(CsvImportForm::StartFieldAcceptsKey('5') &&
              CsvImportForm::StartFieldAcceptsKey('-') && CsvImportForm::StartFieldAcceptsKey(8));
  EXPECT_FALSE(CsvImportForm::StartFieldAcceptsKey('A') ||
               CsvImportForm::StartFieldAcceptsKey(','));
}

TEST(CsvImportForm, TheClipboardGivesItsFirst58000Characters) {
  FakeClipboard clipboard;
  clipboard.text = std::string(57986, ' ') + "146.5200 462.5625";  // cut after "462.5"
  CsvImportForm form;
  form.Open(0);
  ScriptedUi ui;
  form.ScanText("100.5", ui);
  form.ImportFromClipboard(clipboard, ui);
  EXPECT_EQ(form.clipboard_text().size(), kClipboardLimit);
  EXPECT_EQ(form.found(), (std::vector<std::string>{"100.5", "146.5200", "462.5"}));
  EXPECT_EQ(ui.busy_changes, (std::vector<bool>{true, false, true, false}));
  clipboard.text.clear();
  for (int i = 0; i < 60000; ++i) clipboard.text += "\xC3\xA9";  // characters, not bytes
  form.ImportFromClipboard(clipboard, ui);
  EXPECT_EQ(form.clipboard_text().size(), 2 * kClipboardLimit);
}

}  // namespace
}  // namespace talvirex::testing
