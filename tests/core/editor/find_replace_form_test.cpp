// Replace's rule for one tag. The Find and Replace dialogs run in the editor sessions
// (tests/data/editor/dialogs.txt).

#include "editor/find_replace_form.h"

#include <gtest/gtest.h>

namespace talvirex {
namespace {

TEST(ReplacedTag, FirstOccurrenceOnlyAndCutToSixteen) {
  const std::array<std::string, 4> cases[] = {
      {"AAA", "A", "B", "BAA"},          {"BAA", "A", "B", "BBA"},
      {"XY", "X", "0123456789ABCDEF", "0123456789ABCDEF"}, {"", "A", "B", ""},
      {"ABC", "", "Z", "ABC"},           {"abc", "A", "Z", "abc"},
      {"Tower 1", "ower", "", "T 1"},    {"Tower", "T", "\tP", " Power"},
  };
  for (const auto& [tag, find, replacement, expected] : cases) {
    EXPECT_EQ(ReplacedTag(tag, find, replacement), expected) << tag;
  }
}

}  // namespace
}  // namespace talvirex
