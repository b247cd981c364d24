// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window's status bar and Easy Tag dropdowns show, kept beside the tables because
// every redraw of a bank (`RenderBank`) refreshes it, whichever command redraws.

#include <array>
#include <string>
#include <vector>

namespace talvirex {

struct StatusPanels {
  std::string bank_usage;             // panel 2: "1---3-------------10-D"
  std::string current_channel;        // panel 5: channel number of the current row
  std::string last_selected_channel;  // panel 6: channel number of the last selected row
};

/// The entries of the Easy Tag dropdown `textcombo` and of the per-bank dropdowns `bankcombo`,
/// refilled from the tag lists by every redraw while `easy_tag_lists` is on.
/// The first entry of each is the lists' empty slot 0.
struct TagDropdowns {
  std::vector<std::string> easy_tags;
  std::array<std::vector<std::string>, 10> bank_tags;
};

}  // namespace talvirex
