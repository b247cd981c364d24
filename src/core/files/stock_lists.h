// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stock channel lists: ready-made lists, in the channel-list layout (channel_list.h), of the
// services any scanner owner may listen to (weather radio, FRS and GMRS, marine, railroad, ...).
// They are data, so users can read, edit and share them: the program's shared data folder holds
// them under "stock/", with an index, "stock/lists.txt", naming on each line a list's file, its
// title, the public source of its frequencies and the date they were taken:
//   noaa-weather.csv | NOAA Weather Radio | <source> | 2026-12-07
// Other lines (blank ones, notes starting with "#") name no list. The lists keep the index's order.
//
// A list's rows have no Location, so it fills channels from the first one chosen, as a list from
// another tool does, rather than claiming channels 1, 2, ... of a file that already uses them.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace talvirex {

inline constexpr std::string_view kStockListIndex = "stock/lists.txt";

struct StockList {
  std::string name;            // the file's name without ".csv": one command-line word
  std::string title;           // as the File menu shows it
  std::string source;          // the regulation or plan its frequencies come from
  std::string taken;           // the date they were taken, YYYY-MM-DD
  std::filesystem::path path;  // the list file
};

/// The lists an index names, their files in `folder`, in the index's order. A line is left out
/// when it has other than four fields, when its file is not a name of lower-case letters, digits
/// and "-" ending in ".csv", when its title is empty, or when an earlier line has the same name.
std::vector<StockList> ReadStockIndex(std::string_view text, const std::filesystem::path& folder);

/// The stock lists of the program in `program_dir`, their index found as the manual is (beside
/// the program, else in its installed data folder, FindDocument); none without an index.
std::vector<StockList> FindStockLists(const std::filesystem::path& program_dir);

/// The list called `name`; null when there is none.
const StockList* StockListNamed(const std::vector<StockList>& lists, std::string_view name);

}  // namespace talvirex
