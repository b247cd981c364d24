// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scanner's memory image, 4048 bytes at addresses 0x0000..0x0FCF, kept as the 253 text lines
// the clone cable carries: "CLN", a blank, a four-digit hex address, a blank, 32 hex digits for 16
// bytes, "~" and a four-digit checksum. Line i (1..253) holds addresses (i - 1) x 16 .. + 15;
// index 0 and 254..256 stay empty.
//
// The program interprets only a few regions of the image (see image/memory_map.h); every other
// byte is carried through untouched, so what the last read brought (or the default image) goes
// back to the scanner as it came.

#include <array>
#include <string>

namespace talvirex {

inline constexpr int kCloneLineCount = 253;
inline constexpr int kCloneImageBytes = kCloneLineCount * 16;  // 4048

struct CloneImage {
  std::array<std::string, 257> lines{};

  friend bool operator==(const CloneImage&, const CloneImage&) = default;
};

/// Sets lines 1..253 to the scanner's factory image, each line complete with its checksum: every
/// channel empty, locked out, without subtone and with a blank tag, each bank's priority channel
/// its first channel, all ten banks scanning, the other options off.
void BuildDefaultImage(CloneImage& image);

}  // namespace talvirex
