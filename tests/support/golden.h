#pragma once
// A result against its golden file in tests/data, compared line by line so that a failure
// names the first line that differs. With TALVIREX_UPDATE_GOLDEN=1 set, the golden file is
// rewritten from the result instead; review the change before committing it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace talvirex::testing {

/// `name` is the file's path below tests/data, or its name in tests/data/golden.
inline std::filesystem::path GoldenPath(const std::string& name) {
  const std::filesystem::path data(TALVIREX_TEST_DATA);
  return name.find('/') == std::string::npos ? data / "golden" / name : data / name;
}

inline void ExpectGolden(const std::string& name, const std::string& actual) {
  if (std::getenv("TALVIREX_UPDATE_GOLDEN") != nullptr) WriteBytes(GoldenPath(name), actual);
  const std::string expected = ReadBytes(GoldenPath(name));
  std::istringstream want(expected), got(actual);
  std::string w, g;
  for (int line = 1; want || got; ++line) {
    if (!std::getline(want, w)) w = "<none>";
    if (!std::getline(got, g)) g = "<none>";
    if (w != g) {
      ADD_FAILURE() << name << " line " << line << "\n want: " << w << "\n  got: " << g;
      return;
    }
  }
  EXPECT_EQ(actual, expected) << name << ": the line ends differ";
}

}  // namespace talvirex::testing
