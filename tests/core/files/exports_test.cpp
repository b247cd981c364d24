// The CSV export and the print job beyond their golden files (golden_test.cpp): the Dummy bank
// as the current bank, tags no file holds, which banks a job holds, and writes that fail.

#include <gtest/gtest.h>

#include <sstream>

#include "files/csv_export.h"
#include "files/print_form.h"
#include "support/fake_ports.h"
#include "support/print_log.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

TEST(ExportCsvForm, TheCurrentBankMayBeTheDummyBankAndATagKeepsItsRow) {
  Workspace ws;
  ws.current_bank = kDummyBank;
  ws.table.At(kDummyBank, 1, kFieldFrequency) = "145.0";
  ws.table.At(kDummyBank, 1, kFieldTag) = "two\r\nlines";
  ExportCsvForm form;
  form.SelectOption(ExportCsvForm::kAllBanks);
  form.Open();
  std::ostringstream out;
  ScriptedUi ui;
  EXPECT_FALSE(WriteCsv(ws.table, form.BanksToExport(ws.current_bank), out, ui));
  std::string expected = std::string(kCsvHeader) + "\r\n11,201,145.0,two  lines,,,None,,\r\n";
  for (int row = 2; row <= 20; ++row) expected += std::string(kCsvEmptyLine) + "\r\n";
  EXPECT_EQ(out.str(), expected);
}

// A buffer that refuses the writes whose number falls in [first, last].
class RefusingBuffer : public std::stringbuf {
 public:
  RefusingBuffer(int first, int last) : first_(first), last_(last) {}

 protected:
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    ++writes_;
    return writes_ >= first_ && writes_ <= last_ ? 0 : std::stringbuf::xsputn(s, n);
  }

 private:
  int first_, last_, writes_ = 0;
};

TEST(WriteCsv, AFailedWriteStopsTheBankAndGoesOnWithTheNext) {
  Workspace ws;
  RefusingBuffer buffer(7, 7);  // a line is two writes (text, CR LF): write 7 is row 3 of bank 0
  std::ostream out(&buffer);
  ScriptedUi ui;
  EXPECT_FALSE(WriteCsv(ws.table, {0, 1}, out, ui));
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_TRUE(ui.shown[0].text.starts_with("Problem in export bank sub 0 3\r\n Err = ")) << ui.shown[0].text;
  const std::string written = buffer.str();
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1 + 2 + 20);

  RefusingBuffer none(1, 1000);  // the header's failure is the caller's to report
  std::ostream refused(&none);
  EXPECT_TRUE(WriteCsv(ws.table, {0}, refused, ui));
}

TEST(ExportCsvForm, OkWritesTheChosenFileWithItsExtensionOrReportsWhyNot) {
  TempDir dir;
  Workspace ws;
  ws.current_bank = 3;
  ws.table.At(3, 2, kFieldFrequency) = "155.5";
  ScriptedUi ui;
  ExportCsvForm form;
  for (const char* name : {"out.txt", "mine.CSV", "old.csv.bak"}) {
    ui.save_paths.push_back((dir / name).string());
    EXPECT_TRUE(form.Ok(ws, ws.current_bank, ui));
  }
  for (const char* name : {"out.txt.csv", "mine.CSV", "old.csv.bak"}) {
    EXPECT_NE(ReadBytes(dir / name).find("\r\n4,62,155.5,"), std::string::npos) << name;
  }
  ui.save_paths = {std::nullopt, (dir / "missing" / "out.csv").string()};
  EXPECT_FALSE(form.Ok(ws, ws.current_bank, ui));
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_FALSE(form.Ok(ws, ws.current_bank, ui));
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_TRUE(ui.shown[0].text.starts_with("Problem in export routine 1.\r\n Err = 2\r\n Error: "));
  EXPECT_FALSE(ws.unsaved_changes);
}

TEST(PrintForm, ActiveBankIsTheShownBankAsPage1Of1) {
  for (const auto& [bank, line] : {std::pair{4, "| 1:Bank: 5\n"}, {kDummyBank, "| 1:Bank: Dummy\n"}}) {
    Workspace ws;
    ws.current_bank = bank;
    PrintForm form;
    form.SelectOption(PrintForm::kAllBanks);
    form.Open();  // opening chooses the active bank again
    PrintLog sink;
    ScriptedUi ui;
    form.Print(ws, ws.current_bank, {"05/12/2026"}, sink, ui);
    EXPECT_NE(sink.log.find(line), std::string::npos) << sink.log;
    EXPECT_NE(sink.log.find("Page 1 / 1\nend\n"), std::string::npos) << sink.log;
    EXPECT_EQ(sink.log.find("new page"), std::string::npos);
  }
  PrintLog tiny;  // a page just wide enough for the rule and tall enough for the footer
  tiny.page_width = 2000;
  tiny.page_height = 3000;
  ScriptedUi ui;
  PrintForm().Print(Workspace{}, 0, {"05/12/2026"}, tiny, ui);
  EXPECT_NE(tiny.log.find(" rule 0..0\n"), std::string::npos) << tiny.log;
  EXPECT_NE(tiny.log.find("\n0 | 1:TALVIREX   ---   Page 1 / 1\n"), std::string::npos) << tiny.log;
}

TEST(PrintForm, AFailedPageEndsThatPageOnlyAndAFailedJobIsReported) {
  Workspace ws;
  PrintForm form;
  form.SelectOption(PrintForm::kAllBanks);
  PrintLog sink;
  sink.fail_at_call = 3;  // the bank line of Bank 1
  ScriptedUi ui;
  form.Print(ws, ws.current_bank, {"05/12/2026"}, sink, ui);
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Problem in printerroutine bank: 0\r\n Err = 482\r\n"
                                                 " Error: Printer error"});
  EXPECT_NE(sink.log.find("| 1:Bank: 1\nnew page"), std::string::npos) << sink.log;  // ends there
  EXPECT_NE(sink.log.find("Page 2 / 10\nnew page"), std::string::npos);

  PrintLog ending;
  ending.fail_end = true;
  ScriptedUi told;
  form.Print(ws, ws.current_bank, {"05/12/2026"}, ending, told);
  EXPECT_EQ(told.Texts(), std::vector<std::string>{"Problem in printerroutine #1\r\n Err = 486\r\n"
                                                   " Error: The printer went away."});
}

}  // namespace
}  // namespace talvirex::testing
