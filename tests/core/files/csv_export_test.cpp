#include "files/csv_export.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>

#include "support/fake_ports.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::ReadBytes;
using testing::ScriptedUi;
using testing::TempDir;

void SetRow(Workspace& ws, int bank, int row, std::array<std::string, 7> fields) {
  for (int f = 1; f <= 7; ++f) ws.table.At(bank, row, f) = fields[static_cast<std::size_t>(f - 1)];
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "text does not end in CR LF";
  return lines;
}

struct LineCase {
  std::array<std::string, 7> fields;
  std::string expected;
};

TEST(CsvLine, FollowsTheColumnRules) {
  const std::vector<LineCase> cases = {
      {{"146.5200", "Fire Dept", "1", "0", "1", "0", "0"},
       "2,25,146.5200,Fire Dept,On,Off,67.0,Off,Off"},
      {{"0", "Tagged", "1", "1", "1", "1", "1"}, "Empty,,,,,,,,"},
      {{"145.5", "A,B;C", "0", "0", "0", "0", "0"}, "2,25,145.5,A B C,Off,Off,None,Off,Off"},
      {{"145.5", " pad ", " ", "On", "38", "2", ""}, "2,25,145.5, pad ,,,250.3,,"},
      {{"145.5", "x", "0", "0", "39", "0", "0"}, "2,25,145.5,x,Off,Off,023,Off,Off"},
      // Codes outside 0..142 give an empty column rather than failing or naming a wrong tone.
      {{"145.5", "x", "0", "0", "143", "0", "0"}, "2,25,145.5,x,Off,Off,,Off,Off"},
      {{"145.5", "x", "0", "0", "99999999999", "0", "0"}, "2,25,145.5,x,Off,Off,,Off,Off"},
      // A line break in a tag would split the row in two.
      {{"145.5", "two\r\nlines", "0", "0", "0", "0", "0"},
       "2,25,145.5,two  lines,Off,Off,None,Off,Off"},
  };
  for (const auto& c : cases) {
    Workspace ws;
    SetRow(ws, 1, 5, c.fields);
    EXPECT_EQ(CsvLine(ws.table, 1, 5), c.expected) << c.fields[0] << " / " << c.fields[1];
  }
}

TEST(CsvLine, OnOffColumnsDependOnlyOnTheirOwnRow) {
  Workspace ws;
  SetRow(ws, 0, 1, {"145.5", "a", "1", "1", "0", "1", "1"});
  SetRow(ws, 0, 2, {"145.6", "b", " ", " ", "0", " ", " "});
  EXPECT_EQ(CsvLine(ws.table, 0, 2), "1,2,145.6,b,,,None,,");
}

TEST(WriteCsv, AllBanksGiveAHeaderAnd200LinesOfNineColumnsInWindows1252) {
  Workspace ws;
  SetRow(ws, 0, 1, {"145.5", "Caf\xC3\xA9", "0", "0", "0", "0", "0"});
  SetRow(ws, 1, 5, {"146.5200", "Fire Dept", "1", "0", "1", "0", "0"});
  SetRow(ws, 9, 20, {"851.0125", "Last", "1", "1", "142", "1", "1"});
  SetRow(ws, kDummyBank, 1, {"145.0", "never", "0", "0", "0", "0", "0"});
  ScriptedUi ui;
  ExportCsvForm form;
  form.SelectOption(ExportCsvForm::kAllBanks);
  std::ostringstream out;
  EXPECT_FALSE(WriteCsv(ws.table, form.BanksToExport(ws.current_bank), out, ui));
  const auto lines = SplitCrLf(out.str());
  ASSERT_EQ(lines.size(), 201u);
  EXPECT_EQ(lines[0], kCsvHeader);
  EXPECT_EQ(lines[1], "1,1,145.5,Caf\xE9,Off,Off,None,Off,Off");
  EXPECT_EQ(lines[25], "2,25,146.5200,Fire Dept,On,Off,67.0,Off,Off");
  EXPECT_EQ(lines[200], "10,200,851.0125,Last,On,On,754,On,On");
  for (const auto& line : lines) EXPECT_EQ(std::count(line.begin(), line.end(), ','), 8) << line;
  EXPECT_TRUE(ui.shown.empty());
}

TEST(WriteCsv, TheDummyBankAsCurrentBankIsBank11) {
  Workspace ws;
  ws.current_bank = kDummyBank;
  SetRow(ws, kDummyBank, 1, {"145.0", "scratch", "0", "0", "0", "0", "0"});
  ScriptedUi ui;
  ExportCsvForm form;
  form.Open();
  std::ostringstream out;
  WriteCsv(ws.table, form.BanksToExport(ws.current_bank), out, ui);
  const auto lines = SplitCrLf(out.str());
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_EQ(lines[1], "11,201,145.0,scratch,Off,Off,None,Off,Off");
  for (int row = 2; row <= 20; ++row)
    EXPECT_EQ(lines[static_cast<std::size_t>(row)], kCsvEmptyLine);
}

// A buffer that refuses the writes whose number falls in [first, last].
class RefusingBuffer : public std::stringbuf {
 public:
  RefusingBuffer(int first, int last) : first_(first), last_(last) {}

 protected:
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    ++writes_;
    if (writes_ >= first_ && writes_ <= last_) return 0;
    return std::stringbuf::xsputn(s, n);
  }

 private:
  int first_, last_, writes_ = 0;
};

TEST(WriteCsv, AFailedWriteStopsTheBankAndGoesOnWithTheNext) {
  Workspace ws;
  // Every line is two writes (text, CR LF): write 7 is row 3 of the first bank.
  RefusingBuffer buffer(7, 7);
  std::ostream out(&buffer);
  ScriptedUi ui;
  EXPECT_FALSE(WriteCsv(ws.table, {0, 1}, out, ui));
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text.rfind("Problem in export bank sub 0 3\r\n Err = ", 0), 0u)
      << ui.shown[0].text;
  EXPECT_NE(ui.shown[0].text.find("\r\n Error: "), std::string::npos);
  const auto lines = SplitCrLf(buffer.str());
  EXPECT_EQ(lines.size(), 1u + 2u + 20u);  // header, rows 1..2 of bank 0, all of bank 1

  // A header that cannot be written is the caller's failure to report.
  RefusingBuffer none(1, 1000);
  std::ostream refused(&none);
  EXPECT_TRUE(WriteCsv(ws.table, {0}, refused, ui));
}

TEST(ExportCsvForm, OkWritesTheChosenFile) {
  TempDir dir;
  Workspace ws;
  ws.current_bank = 3;
  SetRow(ws, 3, 2, {"155.5", "Ambulance", "0", "1", "0", "0", "0"});
  ScriptedUi ui;
  ui.save_paths.push_back((dir / "out.txt").string());
  ExportCsvForm form;
  form.Open();
  EXPECT_TRUE(form.Ok(ws, ws.current_bank, ui));
  ASSERT_EQ(ui.save_dialogs.size(), 1u);
  EXPECT_EQ(ui.save_dialogs[0].filter, "Comma Separated Files (*.csv)|*.csv");
  EXPECT_EQ(ui.save_dialogs[0].proposed_name, "*.csv");
  const auto lines = SplitCrLf(ReadBytes(dir / "out.txt.csv"));
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_EQ(lines[2], "4,62,155.5,Ambulance,Off,On,None,Off,Off");
  EXPECT_FALSE(ws.unsaved_changes);
}

TEST(ExportCsvForm, AFileThatCannotBeWrittenIsReportedAndTheOldOneKept) {
  TempDir dir;
  Workspace ws;
  ScriptedUi ui;
  ui.save_paths.push_back((dir / "missing" / "out.csv").string());
  ExportCsvForm form;
  form.Open();
  EXPECT_FALSE(form.Ok(ws, ws.current_bank, ui));
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text.rfind("Problem in export routine 1.\r\n Err = 2\r\n Error: ", 0), 0u)
      << ui.shown[0].text;
  EXPECT_EQ(ui.shown[0].buttons, Buttons::kOk);
}

}  // namespace
}  // namespace talvirex
