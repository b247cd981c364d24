// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for the transfer engine's tests: well-formed clone lines made by the plain
// character-code sum.

#include <cstdio>
#include <string>

#include "image/clone_image.h"
#include "link/kloon.h"

namespace talvirex::testing {

/// The clone line for image line `index` whose 16 bytes are all `fill`; its checksum is the sum of
/// the character codes of the first 41 characters.
inline std::string CloneLineFor(int index, int fill) {
  char body[64];
  std::snprintf(body, sizeof body, "CLN %04X ", (index - 1) * 16);
  std::string line = body;
  for (int i = 0; i < 16; ++i) {
    std::snprintf(body, sizeof body, "%02X", fill & 0xFF);
    line += body;
  }
  int sum = 0;
  for (char c : line) sum += static_cast<unsigned char>(c);
  std::snprintf(body, sizeof body, "~%04X", sum);
  return line + body;
}

/// An image whose line i is filled with the byte i.
inline CloneImage NumberedImage() {
  CloneImage image;
  for (int i = 1; i <= kCloneLineCount; ++i)
    image.lines[static_cast<std::size_t>(i)] = CloneLineFor(i, i);
  return image;
}

}  // namespace talvirex::testing
