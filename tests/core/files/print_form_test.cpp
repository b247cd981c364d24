#include "files/print_form.h"

#include <gtest/gtest.h>

#include "support/fake_ports.h"
#include "support/recording_print_sink.h"
#include "workspace.h"

namespace talvirex {
namespace {

using testing::RecordingPrintSink;
using testing::ScriptedUi;
using Strings = std::vector<std::string>;

const PrintContext kContext{"05/12/2026"};

void SetRow(Workspace& ws, int bank, int row, std::array<std::string, 7> fields) {
  for (int f = 1; f <= 7; ++f) ws.table.At(bank, row, f) = fields[static_cast<std::size_t>(f - 1)];
}

TEST(PrintBank, LaysOutTheWholePage) {
  Workspace ws;
  ws.file_name = "/home/me/county.s2c";
  ws.bank_names[1] = "Fire and Rescue";
  SetRow(ws, 1, 1, {"146.5200", "Fire Dept", "1", "0", "1", "0", "1"});
  SetRow(ws, 1, 2, {"462.5625", "Gas", " ", "On", "145", "1", "0"});
  SetRow(ws, 1, 3, {"453.2500", "", "0", "0", "39", "0", "0"});
  RecordingPrintSink sink;
  ScriptedUi ui;
  PrintBank(ws, kContext, sink, ui, 1, 2, 10);

  Strings expected = {
      "1:Kelmora for Uniden SportCat 200 - 05/12/2026",
      "",
      "1:Bank: 2",
      "1:Bankname: Fire and Rescue",
      "1:Filename: /home/me/county.s2c",
      "",
      "7:Frequency|21:Tag|52:Delay|60:Lock Out|70:PL/DPL|79:Beep|88:ATT",
      "1:21: |7:146.5200|21:Fire Dept|52:On|60:Off|70:67.0|79:Off|88:On",
      "1:22: |7:462.5625|21:Gas|70:--|79:On|88:Off",
      "1:23: |7:453.2500|52:Off|60:Off|70:023|79:Off|88:Off",
  };
  for (int row = 4; row <= 20; ++row) {
    expected.push_back("1:" + std::to_string(20 + row) + ": |8:Empty");
    if (row == 10 || row == 20) expected.push_back("");
  }
  expected.push_back("");
  expected.push_back("");
  expected.push_back("1:TALVIREX   ---   Page 2 / 10");
  EXPECT_EQ(sink.Texts(0), expected);
  EXPECT_TRUE(ui.shown.empty());

  // The rule lies 100 twips under the column header, 1000 twips short of each page edge; the
  // footer stands 3000 twips above the page height.
  ASSERT_EQ(sink.rules.size(), 1u);
  EXPECT_DOUBLE_EQ(sink.rules[0].y, 7 * RecordingPrintSink::kLineTwips + 100);
  EXPECT_EQ(sink.rules[0].x1, 0);
  EXPECT_EQ(sink.rules[0].x2, sink.width - 2000);
  EXPECT_DOUBLE_EQ(sink.lines.back().y, sink.height - 3000);
}

TEST(PrintForm, ActiveBankIsPage1Of1AndAllBanksPrintTenPagesNeverTheDummyBank) {
  Workspace ws;
  ws.current_bank = 4;
  PrintForm form;
  form.Open();
  EXPECT_EQ(form.option(), PrintForm::kActiveBank);
  RecordingPrintSink active;
  ScriptedUi ui;
  form.Print(ws, ws.current_bank, kContext, active, ui);
  EXPECT_EQ(active.new_pages, 0);
  EXPECT_EQ(active.Texts(0)[2], "1:Bank: 5");
  EXPECT_EQ(active.Texts(0).back(), "1:TALVIREX   ---   Page 1 / 1");

  ws.current_bank = kDummyBank;
  form.SelectOption(PrintForm::kAllBanks);
  RecordingPrintSink sink;
  form.Print(ws, ws.current_bank, kContext, sink, ui);
  EXPECT_EQ(sink.new_pages, 9);
  EXPECT_EQ(sink.ended, 1);
  for (int page = 0; page < 10; ++page) {
    const Strings texts = sink.Texts(page);
    EXPECT_EQ(texts[2], "1:Bank: " + std::to_string(page + 1));
    EXPECT_EQ(texts.back(), "1:TALVIREX   ---   Page " + std::to_string(page + 1) + " / 10");
  }
  EXPECT_TRUE(ui.shown.empty());
}

TEST(PrintForm, AFailedPageIsReportedAndTheNextBankStillPrints) {
  Workspace ws;
  PrintForm form;
  form.SelectOption(PrintForm::kAllBanks);
  RecordingPrintSink sink;
  sink.fail_at_call = 3;  // the bank line of Bank 1
  ScriptedUi ui;
  form.Print(ws, ws.current_bank, kContext, sink, ui);
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text,
            "Problem in printerroutine bank: 0\r\n Err = 482\r\n Error: Printer error");
  EXPECT_EQ(sink.Texts(0).size(), 3u);  // the page ended with the line that failed
  EXPECT_EQ(sink.Texts(1).back(), "1:TALVIREX   ---   Page 2 / 10");
  EXPECT_EQ(sink.ended, 1);
}

TEST(PrintForm, AFailedEndOfJobIsReported) {
  Workspace ws;
  PrintForm form;
  form.Open();
  RecordingPrintSink sink;
  sink.fail_end = true;
  ScriptedUi ui;
  form.Print(ws, ws.current_bank, kContext, sink, ui);
  EXPECT_EQ(
      ui.Texts(),
      Strings{"Problem in printerroutine #1\r\n Err = 486\r\n Error: The printer went away."});
}

}  // namespace
}  // namespace talvirex
