#include "editor/grid_bridge.h"

#include <gtest/gtest.h>

#include "support/fake_ports.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

// Full tag lists: the dropdowns show every slot up to the last, and a full bank list keeps
// reusing its last slot. The rest of the redraw runs in the editor sessions.
TEST(RenderBank, FullTagListsFillTheDropdownsToTheirLastSlot) {
  Workspace ws;
  ws.settings.option9 = 1;
  for (int i = 0; i < 300; ++i) {
    std::string tag = "T" + std::to_string(i);
    RecordTag(ws.tags, tag, 0, 1);
  }
  ScriptedUi ui;
  RenderBank(ws, ui);
  EXPECT_EQ(ws.tag_dropdowns.easy_tags.size(), 211u);
  EXPECT_EQ(ws.tag_dropdowns.bank_tags[0].size(), 102u);
  EXPECT_EQ(ws.tag_dropdowns.bank_tags[0][101], "T299");
}

}  // namespace
}  // namespace talvirex::testing
