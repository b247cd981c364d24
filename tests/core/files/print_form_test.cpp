// Which banks a print job holds and how its failures are reported; the page itself is the golden
// file's (golden_test.cpp).

#include "files/print_form.h"

#include <gtest/gtest.h>

#include "support/fake_ports.h"
#include "support/print_log.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

TEST(PrintForm, ActiveBankIsTheShownBankAsPage1Of1) {
  for (const auto& [bank, line] : {std::pair{4, "| 1:Bank: 5\n"}, {kDummyBank, "| 1:Bank: Dummy\n"}}) {
    Workspace ws;
    ws.current_bank = bank;
    PrintForm form;
    form.SelectOption(PrintForm::kAllBanks);
    form.Open();  // opening chooses the active bank again
    PrintLog sink;
    ScriptedUi ui;
    form.Print(ws, {"05/12/2026"}, sink, ui);
    EXPECT_NE(sink.log.find(line), std::string::npos) << sink.log;
    EXPECT_NE(sink.log.find("Page 1 / 1\nend\n"), std::string::npos) << sink.log;
    EXPECT_EQ(sink.log.find("new page"), std::string::npos);
  }
}

TEST(PrintForm, AFailedPageEndsThatPageOnlyAndAFailedJobIsReported) {
  Workspace ws;
  PrintForm form;
  form.SelectOption(PrintForm::kAllBanks);
  PrintLog sink;
  sink.fail_at_call = 3;  // the bank line of Bank 1
  ScriptedUi ui;
  form.Print(ws, {"05/12/2026"}, sink, ui);
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Problem in printerroutine bank: 0\r\n Err = 482\r\n"
                                                 " Error: Printer error"});
  EXPECT_NE(sink.log.find("| 1:Bank: 1\nnew page"), std::string::npos) << sink.log;  // ends there
  EXPECT_NE(sink.log.find("Page 2 / 10\nnew page"), std::string::npos);

  PrintLog ending;
  ending.fail_end = true;
  ScriptedUi told;
  form.Print(ws, {"05/12/2026"}, ending, told);
  EXPECT_EQ(told.Texts(), std::vector<std::string>{"Problem in printerroutine #1\r\n Err = 486\r\n"
                                                   " Error: The printer went away."});
}

}  // namespace
}  // namespace talvirex::testing
