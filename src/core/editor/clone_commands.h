// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's two clone commands around the transfer window: `menread` "&Read Data From
// Scanner" (F5) and `memsend` "&Send Data To Scanner" (F6). They prepare the tables, let the caller
// run the transfer window `kloon` modally, and tidy up after it has closed; the caller redraws.

#include <functional>
#include <optional>
#include <string>

namespace talvirex {

struct Workspace;
class Ui;
class FileCommands;

/// Runs the transfer window modally (read mode for `ReadCommand`, send mode for `SendCommand`) and
/// returns when it has closed: true when the transfer ran to its end. A complete read has decoded
/// the image into the tables before the window closes.
using TransferWindow = std::function<bool()>;

/// `menread`. Offers to save unsaved data ("Data is not saved. Save it now?", Yes/No/Cancel);
/// Cancel, or a Yes whose save did not write the file, ends the command with nothing changed.
/// Otherwise runs the window. Only a complete read replaces the document: the file is named
/// "Untitled", the shown bank is redrawn and the read is one undo step. A read that did not
/// complete (stopped, failed, never started) leaves the table, the file name and what is unsaved
/// exactly as they were. Returns, after a complete read, the text for the editor box above the
/// grid: the frequency field of row 1 of the current bank.
std::optional<std::string> ReadCommand(Workspace& workspace, Ui& ui, FileCommands& files,
                                       const TransferWindow& run_transfer_window);

/// `memsend`. Commits and cleans the tables, writes them into the clone image (`create_senddata`:
/// every line complete with a fresh checksum; bytes the program does not interpret stay as the
/// last read left them), then runs the window.
void SendCommand(Workspace& workspace, Ui& ui, const TransferWindow& run_transfer_window);

}  // namespace talvirex
