// The Memory Manager's operations on slots no list offers. The dialog itself runs in the editor
// sessions (tests/data/editor/dialogs.txt).

#include "editor/memory_manager_form.h"

#include <gtest/gtest.h>

#include "workspace.h"

namespace talvirex {
namespace {

TEST(MemoryManager, OperationsOnSlotsOutsideTheTableChangeNothing) {
  Workspace ws;
  ws.table.At(0, 1, kFieldFrequency) = "145.5";
  ws.table.At(kDummyBank, 20, kFieldTag) = "D";
  EXPECT_FALSE(OperateChannel(ws.table, {0, 0}, {0, 1}, ManagerOperation::kCopy));
  EXPECT_FALSE(OperateChannel(ws.table, {0, 1}, {11, 1}, ManagerOperation::kSwap));
  EXPECT_FALSE(OperateChannel(ws.table, {-1, 1}, {0, 21}, ManagerOperation::kMove));
  EXPECT_FALSE(OperateChannel(ws.table, {0, 1}, {0, 21}, ManagerOperation::kMove));
  EXPECT_FALSE(OperateBank(ws, 0, 11, ManagerOperation::kSwap, true));
  EXPECT_FALSE(OperateBank(ws, -3, 1, ManagerOperation::kMove, true));
  EXPECT_EQ(ws.table.At(0, 1, kFieldFrequency) + ws.table.At(0, 21, kFieldFrequency), "145.5");
  EXPECT_TRUE(OperateChannel(ws.table, {kDummyBank, 20}, {0, 20}, ManagerOperation::kCopy));
  EXPECT_TRUE(OperateBank(ws, kDummyBank, 0, ManagerOperation::kCopy, false));
  EXPECT_EQ(ws.table.At(0, 1, kFieldFrequency) + ws.table.At(0, 20, kFieldTag), "D");
}

}  // namespace
}  // namespace talvirex
