#pragma once
// Reading and planting single bytes of a clone image by address, independently of the codec's own
// accessors, so the codec tests check the line positions for themselves.

#include <string>

#include "image/clone_image.h"

namespace talvirex::testing {

/// The two hex characters of the byte at `address`, taken straight from the line text.
inline std::string ByteText(const CloneImage& image, int address) {
  return image.lines[address / 16 + 1].substr(9 + 2 * (address % 16), 2);
}

/// The hex characters of `count` bytes from `address` on, across line ends.
inline std::string BytesText(const CloneImage& image, int address, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += ByteText(image, address + i);
  return text;
}

/// Overwrites the byte at `address` with two characters (which need not be hex digits).
inline void PlantByte(CloneImage& image, int address, const std::string& two) {
  image.lines[address / 16 + 1].replace(9 + 2 * (address % 16), 2, two);
}

/// Plants `hex` (an even number of characters) from `address` on.
inline void PlantBytes(CloneImage& image, int address, const std::string& hex) {
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    PlantByte(image, address + static_cast<int>(i / 2), hex.substr(i, 2));
  }
}

/// The default image.
inline CloneImage DefaultImage() {
  CloneImage image;
  BuildDefaultImage(image);
  return image;
}

}  // namespace talvirex::testing
