// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Channel files and the program folder's files are 8-bit Windows-1252 text (the code page older
// installations wrote). The program holds UTF-8 inside and converts at the file boundary.

#include <string>
#include <string_view>

namespace talvirex {

/// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined map to U+0080..U+009F
/// like ISO-8859-1, so every byte sequence converts and converts back unchanged.
std::string Cp1252ToUtf8(std::string_view bytes);

/// UTF-8 to Windows-1252. A character the code page cannot hold, or a malformed UTF-8 sequence,
/// becomes "?".
std::string Utf8ToCp1252(std::string_view text);

/// True for well-formed UTF-8 (no cut sequence, no overlong two-byte lead).
bool IsValidUtf8(std::string_view bytes);

/// A file's text as the program holds it: UTF-8 kept as it is, anything else read as
/// Windows-1252.
std::string DecodeFileText(std::string_view bytes);

}  // namespace talvirex
