// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel file (".s2c"): the program's own document. Version 0.91 has 249 CR LF lines:
//   1        "TALVIREX MEM V0.91"
//   2..201   channel records 1..200: n,"freq","tag","delay","lockout","pl/dpl","beep","att"
//   202      a single blank
//   203..214 bank names: "#$BT", index, blank, name
//   215..216 the reserved lists: "#$LKM" / "#$LKS" and ten times ,"value"
//   217..226 priority channels: "PRCH", bank, blank, channel number
//   227..247 scanner settings: "SET", index, blank, value
//   248..249 search range: "SRC", index, blank, MHz text
// Version 0.90 ends after line 247. The Dummy bank is never written. Texts are UTF-8 here and
// Windows-1252 in the file.

#include <optional>
#include <string>
#include <string_view>

#include "files/file_io.h"

namespace talvirex {

struct Document;
class Ui;

inline constexpr std::string_view kMagicV091 = "TALVIREX MEM V0.91";
inline constexpr std::string_view kMagicV090 = "TALVIREX MEM V0.90";

/// The 249 lines of a version 0.91 file for the document's tables (UTF-8, CR LF). A double quote
/// or line break inside a quoted field, and a line break inside a line record, is written as a
/// blank so that every file written reads back; other texts are written exactly as stored.
std::string ChannelFileText(const Document& document);

/// The file's bytes: the text in Windows-1252.
std::string ChannelFileBytes(const Document& document);

/// How reading a channel file ended when it did not succeed.
struct ChannelFileFailure {
  bool not_compatible = false;  // the magic was missing: nothing was changed
  std::string message;          // the message to show, as the user sees it
  int code = 0;                 // the error code in the message (62: the file ended early)
};

/// Error codes of the read-failure message.
inline constexpr int kErrorOverflow = 6;
inline constexpr int kErrorOutOfMemory = 7;
inline constexpr int kErrorFileNotFound = 53;
inline constexpr int kErrorInputPastEnd = 62;
inline constexpr int kErrorPermissionDenied = 70;
inline constexpr int kErrorPathAccess = 75;

/// "Not a valid file! Line: <bank> / <row> / <field> Error: <code>"; indices may be empty.
std::string ReadFailureMessage(std::string_view bank, std::string_view row, std::string_view field,
                               int code);

/// Reads a channel file's bytes into the document's tables. On a magic that is not found, nothing
/// changes. Otherwise the table is blanked and filled as far as the file goes; on a failure the
/// tables keep what was read. Progress is shown through `ui`; no message is shown here.
std::optional<ChannelFileFailure> ReadChannelFile(std::string_view bytes, Document& document,
                                                  Ui& ui);

struct ChannelFileLoad {
  std::optional<ChannelFileFailure> failure;
  bool read = false;  // the file's channels were read into the table, wholly or in part
};

/// File > Open's reading of the channel file at `path` into `document`. A failure is shown
/// through `ui`; the file name becomes `path` when the whole file was read, "Untitled" when it was
/// read in part (a file that cannot be opened or is no channel file changes nothing).
ChannelFileLoad LoadChannelFile(const std::string& path, Document& document, Ui& ui);

/// True when the file at `path` is meant as a channel file: its name ends in ".s2c" in any case,
/// or it starts with a channel file's magic (of any version). A file dropped on the window is
/// opened when it is one and imported as a channel list otherwise.
bool IsChannelFilePath(const std::string& path);

/// Writes the tables as a channel file to `path` (a path of exactly ".s2c"-like four characters
/// starting with "." gets "sc200" in front). Returns the failure, if any; the previous file is
/// kept whole when the write fails. Changes nothing in the document.
std::optional<IoError> WriteChannelFile(const Document& document, const std::string& path);

}  // namespace talvirex
