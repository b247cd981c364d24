#pragma once
// The scanner's memory image, 4048 bytes at addresses 0x0000..0x0FCF, kept as the 253 text lines
// the clone cable carries: "CLN", a blank, a four-digit hex address, a blank, 32 hex digits for 16
// bytes, "~" and a four-digit checksum. Line i (1..253) holds addresses (i - 1) x 16 .. + 15;
// index 0 and 254..256 stay empty.

#include <array>
#include <string>

namespace talvirex {

inline constexpr int kCloneLineCount = 253;

struct CloneImage {
  std::array<std::string, 257> lines{};
};

}  // namespace talvirex
