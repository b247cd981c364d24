#include "editor/sort_commands.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "editor/grid_bridge.h"
#include "ports/ui.h"
#include "workspace.h"

namespace talvirex {
namespace {

// A Ui whose busy pointer fails, to drive the sort's failure report. Sorting itself runs in the
// editor sessions (tests/data/editor/table_commands.txt).
class FailingProgressUi : public Ui {
 public:
  Answer Ask(const Message& message) override {
    shown.push_back(message.text);
    return Answer::kOk;
  }
  std::optional<std::string> OpenFile(const FileDialog&) override { return std::nullopt; }
  std::optional<std::string> SaveFile(const FileDialog&) override { return std::nullopt; }
  void SetBusy(bool busy) override {
    if (busy) throw std::out_of_range("pointer out of range");
  }
  std::vector<std::string> shown;
};

TEST(SortFailure, ReportsSystemErrorPerDirectionAndLeavesTheBankAsItWas) {
  for (const auto& [order, lead] : {std::pair{SortOrder::kAscending, "System Error - sort_all: "},
                                    std::pair{SortOrder::kDescending, "System Error - sort_alld: "}}) {
    Workspace ws;
    FailingProgressUi ui;
    ws.table.At(0, 1, kFieldFrequency) = "300.0000";
    ws.table.At(0, 2, kFieldFrequency) = "200.0000";
    RenderBank(ws, ui);
    SortBank(ws, ui, order);
    EXPECT_EQ(ui.shown, std::vector<std::string>{std::string(lead) + "9 pointer out of range"});
    EXPECT_EQ(ws.table.At(0, 1, kFieldFrequency), "300.0000");
  }
}

}  // namespace
}  // namespace talvirex
