// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/clone_image.h"

#include <algorithm>
#include <initializer_list>

#include "image/clone_line.h"

namespace talvirex {

namespace {

using Bytes = std::array<unsigned char, kCloneImageBytes>;

void Put(Bytes& bytes, int address, std::initializer_list<unsigned char> values) {
  std::copy(values.begin(), values.end(), bytes.begin() + address);
}

void Fill(Bytes& bytes, int first, int last, unsigned char value) {
  std::fill(bytes.begin() + first, bytes.begin() + last + 1, value);
}

// The factory content of the scanner's memory. The bytes at 0x01B8 and 0x07C8..0x07E7 are the
// scanner's own working values; the program never interprets them.
Bytes DefaultBytes() {
  Bytes bytes{};
  Put(bytes, 0x00CB, {0xFF, 0x03, 0x00, 0x08, 0x00});
  Put(bytes, 0x00D0, {0x00, 0x14, 0x28, 0x3C, 0x50, 0x64, 0x78, 0x8C, 0xA0, 0xB4});
  Fill(bytes, 0x00E0, 0x01A7, 0x80);
  Put(bytes, 0x01B8, {0x02, 0x02});
  Fill(bytes, 0x0700, 0x07C7, 0xFF);
  Put(bytes, 0x07C8, {0x03, 0x00, 0x00, 0x45, 0x45, 0x45, 0x45, 0x45});
  Put(bytes, 0x07D0,
      {0x01, 0x45, 0x09, 0x00, 0x00, 0x45, 0x02, 0x02, 0x05, 0x45, 0x04, 0x08, 0x02, 0x02, 0xFF,
       0x00});
  Put(bytes, 0x07E0, {0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF});
  Fill(bytes, 0x07E8, 0x07FF, 0xFF);
  Fill(bytes, 0x0800, 0x0FCF, 0x4A);
  return bytes;
}

}  // namespace

void BuildDefaultImage(CloneImage& image) {
  const Bytes bytes = DefaultBytes();
  std::string data(2 * kBytesPerLine, '0');
  for (int index = 1; index <= kCloneLineCount; ++index) {
    for (int k = 0; k < kBytesPerLine; ++k) {
      const unsigned char value = bytes[(index - 1) * kBytesPerLine + k];
      data[2 * k] = HexDigit(value >> 4);
      data[2 * k + 1] = HexDigit(value);
    }
    image.lines[index] = FinishCloneLine(CloneLineBody(index, data));
  }
}

}  // namespace talvirex
