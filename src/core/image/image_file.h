#pragma once
// An image file: the 253 clone lines of a scanner image, one a line, as a read stores them and a
// send transmits them. Written with LF line ends; read with CR LF or LF, trailing blank lines
// ignored.

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

#include "image/clone_image.h"

namespace talvirex {

/// Why a text is not an image file; `message` is the sentence to show.
struct ImageFileError {
  std::string message;
};

/// The image held in `text`: exactly 253 lines (after trailing blank lines are dropped), each
/// beginning "CLN", stored as they stand (a line of the wrong length is kept for the decoder to
/// read as well as it can). Anything else is refused with the reason.
std::variant<CloneImage, ImageFileError> ParseImageFile(std::string_view text);

/// Reads the image file at `path`; a file that cannot be read is refused with the system's reason.
std::variant<CloneImage, ImageFileError> LoadImageFile(const std::filesystem::path& path);

/// Lines 1..253 of `image`, each followed by LF.
std::string ImageFileText(const CloneImage& image);

}  // namespace talvirex
