// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An image file: the 253 clone lines of a scanner image, one a line, as a read stores them and a
// send transmits them. Written with LF line ends; read with CR LF or LF, trailing blank lines
// ignored. Every command that takes an image file reads it here, so none of them can build on, send
// or decode an image whose lines are damaged, missing or out of order: the scanner and the codec
// place each line by its position, so a line at the wrong place would put its bytes at the wrong
// address.

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "image/clone_image.h"

namespace talvirex {

/// Why a text is not an image file; `message` is the sentence to show.
struct ImageFileError {
  std::string message;
  bool only_checksums = false;  // every fault is a wrong checksum: rebuilding them would mend it
};

/// The image held in `text`: exactly 253 lines (after trailing blank lines are dropped), line k a
/// sound clone line carrying address (k - 1) x 16 and the checksum of its content. Anything else
/// is refused, naming the first misplaced or malformed line, or every line with a wrong checksum.
/// When `rebuilt` is given, a line whose only fault is its checksum gets a fresh one instead and
/// its number is appended to `*rebuilt`.
std::variant<CloneImage, ImageFileError> ParseImageFile(std::string_view text,
                                                        std::vector<int>* rebuilt = nullptr);

/// Reads the image file at `path` as ParseImageFile does; a file that cannot be read is refused
/// with the system's reason.
std::variant<CloneImage, ImageFileError> LoadImageFile(const std::filesystem::path& path,
                                                       std::vector<int>* rebuilt = nullptr);

/// "line 7", "lines 7 and 40", "lines 7, 40 and 41" for line numbers in ascending order.
std::string LineNumbersText(const std::vector<int>& lines);

/// Lines 1..253 of `image`, each followed by LF.
std::string ImageFileText(const CloneImage& image);

}  // namespace talvirex
