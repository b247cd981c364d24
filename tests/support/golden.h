// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A result against its golden file in tests/data, compared line by line so that a failure
// names the first line that differs. With TALVIREX_UPDATE_GOLDEN=1 set, the golden file is
// rewritten from the result instead; review the change before committing it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>
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

/// Golden texts and session files spell control characters out: \r \n \t \\, and in session
/// files \s (a blank) and \xHH.
inline std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    out += c == '\r'   ? "\\r"
           : c == '\n' ? "\\n"
           : c == '\t' ? "\\t"
           : c == '\\' ? "\\\\"
                       : std::string(1, c);
  }
  return out;
}

inline std::string Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    if (c == 'x') {
      out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c == 's' ? ' ' : c;
    }
  }
  return out;
}

/// A trace in tests/data: event lines, each followed by the answer it gets, indented by two blanks;
/// comments (#), titles (==) and blank lines stand alone. `answer_to` gives each event's indented
/// answer, and the trace written anew must come out as the file holds it.
inline void ExpectTrace(const std::string& name,
                        const std::function<std::string(const std::string&)>& answer_to) {
  ASSERT_TRUE(std::filesystem::exists(GoldenPath(name))) << GoldenPath(name);
  std::istringstream in(ReadBytes(GoldenPath(name)));
  std::string trace;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("  ")) continue;  // an answer: written anew
    trace += line + "\n";
    if (!line.empty() && line[0] != '#' && !line.starts_with("== ")) trace += answer_to(line);
  }
  ExpectGolden(name, trace);
}

/// A table in tests/data whose lines read "INPUT => OUTPUT" (in the escapes above; \s keeps a blank
/// at either end); other lines are comments. `output_of` gives the output of each input, and the
/// table written anew must come out as the file holds it (TALVIREX_UPDATE_GOLDEN=1 rewrites it).
inline void ExpectTable(const std::string& name,
                        const std::function<std::string(const std::string&)>& output_of) {
  std::istringstream in(ReadBytes(GoldenPath(name)));
  std::string table;
  for (std::string line; std::getline(in, line); table += line + "\n") {
    const auto arrow = line.find(" => ");
    if (line.starts_with('#') || arrow == std::string::npos) continue;
    std::string output = Escaped(output_of(Unescaped(line.substr(0, arrow))));
    for (const bool front : {true, false}) {
      if (!output.empty() && (front ? output.front() : output.back()) == ' ') {
        output.replace(front ? 0 : output.size() - 1, 1, "\\s");
      }
    }
    line.replace(arrow + 4, std::string::npos, output);
  }
  ExpectGolden(name, table);
}

}  // namespace talvirex::testing
