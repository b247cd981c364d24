// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/stock_lists.h"

#include <algorithm>

#include "files/file_io.h"
#include "settings/program_documents.h"
#include "text/text.h"

namespace talvirex {

namespace {

constexpr std::string_view kListExtension = ".csv";
constexpr std::size_t kLargestIndex = 1u << 20;

// A name the command line takes as one word and every file system as a file name.
bool IsListName(std::string_view name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
  });
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t bar = line.find('|', start);
    fields.push_back(TrimBlanks(line.substr(start, bar - start)));
    if (bar == std::string_view::npos) return fields;
    start = bar + 1;
  }
}

}  // namespace

std::vector<StockList> ReadStockIndex(std::string_view text, const std::filesystem::path& folder) {
  std::vector<StockList> lists;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() != 4 || !fields[0].ends_with(kListExtension) || fields[1].empty()) continue;
    const std::string_view file = fields[0];
    const std::string_view name = file.substr(0, file.size() - kListExtension.size());
    if (!IsListName(name) || StockListNamed(lists, name) != nullptr) continue;
    lists.push_back({std::string(name), std::string(fields[1]), std::string(fields[2]),
                     std::string(fields[3]), folder / std::string(file)});
  }
  return lists;
}

std::vector<StockList> FindStockLists(const std::filesystem::path& program_dir) {
  const auto index = FindDocument(program_dir, kStockListIndex);
  if (!index) return {};
  const ReadResult file = ReadWholeFile(*index, kLargestIndex);
  if (!file.bytes) return {};
  return ReadStockIndex(*file.bytes, index->parent_path());
}

const StockList* StockListNamed(const std::vector<StockList>& lists, std::string_view name) {
  const auto found = std::find_if(lists.begin(), lists.end(),
                                  [&](const StockList& list) { return list.name == name; });
  return found == lists.end() ? nullptr : &*found;
}

}  // namespace talvirex
