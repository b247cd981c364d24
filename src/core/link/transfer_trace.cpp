// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/transfer_trace.h"

#include <algorithm>
#include <cstdio>
#include <system_error>
#include <vector>

#include "files/file_io.h"

namespace talvirex {

namespace {

void AppendEscaped(std::string& out, std::string_view bytes) {
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (byte < 0x20 || byte >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    } else {
      out += c;
    }
  }
}

}  // namespace

void TransferTrace::Add(char direction, std::string_view bytes) {
  const LocalTime now = clock_.Now();
  char stamp[16];
  std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d ", now.hour, now.minute, now.second);
  text_ += stamp;
  text_ += direction;
  text_ += ' ';
  AppendEscaped(text_, bytes);
  text_ += '\n';
}

bool WriteTrace(const TransferTrace& trace, const std::filesystem::path& path) {
  return !WriteFileAtomically(path, trace.Text()).has_value();
}

std::optional<std::filesystem::path> KeepTrace(const TransferTrace& trace,
                                               const std::filesystem::path& program_folder,
                                               const LocalTime& t, std::string_view kind) {
  const auto folder = program_folder / "traces";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d_%02d-%02d-%02d_", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  const auto path = folder / (std::string(stamp) + std::string(kind) + ".trace");
  if (!WriteTrace(trace, path)) return std::nullopt;

  // Names begin with their time stamp, so the newest sort last.
  std::vector<std::filesystem::path> traces;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    if (entry.path().extension() == ".trace") traces.push_back(entry.path());
  }
  std::sort(traces.begin(), traces.end());
  for (std::size_t i = 0; i + kTracesKept < traces.size(); ++i)
    std::filesystem::remove(traces[i], ec);
  return path;
}

}  // namespace talvirex
