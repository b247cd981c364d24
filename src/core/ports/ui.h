// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the core asks of the user's screen: message boxes, file dialogs, the beep, the busy
// pointer, the progress indicator and the status bar. The desktop window answers with real
// dialogs, the command line with its streams, tests with a script.

#include <optional>
#include <string>

namespace talvirex {

enum class Buttons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class Icon { kNone, kInformation, kQuestion, kWarning, kCritical };
enum class Answer { kOk, kCancel, kYes, kNo };

struct Message {
  std::string text;   // lines separated by CR LF
  std::string title;  // empty: the application's own title
  Buttons buttons = Buttons::kOk;
  Icon icon = Icon::kNone;
};

struct FileDialog {
  std::string filter;         // "TALVIR files|*.s2c": description|pattern pairs
  std::string proposed_name;  // the initial file name
  bool confirm_overwrite = false;
};

class Ui {
 public:
  virtual ~Ui() = default;

  /// Shows a modal message box and returns the button pressed.
  virtual Answer Ask(const Message& message) = 0;
  /// The chosen path, or nothing when the user cancels.
  virtual std::optional<std::string> OpenFile(const FileDialog& dialog) = 0;
  virtual std::optional<std::string> SaveFile(const FileDialog& dialog) = 0;

  virtual void Beep() {}
  virtual void SetBusy(bool /*busy*/) {}
  /// Progress of a long operation: `value` of `maximum`; ShowProgress(0, 0) hides it.
  virtual void ShowProgress(int /*value*/, int /*maximum*/) {}
  virtual void SetStatus(const std::string& /*text*/) {}
  /// Opens a document (the user manual) with the platform's viewer for it. False when no viewer
  /// took it.
  virtual bool OpenDocument(const std::string& /*path*/) { return false; }

  /// A message with only an OK button.
  void Tell(const std::string& text, const std::string& title = {}, Icon icon = Icon::kNone) {
    Ask(Message{text, title, Buttons::kOk, icon});
  }
};

/// A Ui that shows nothing: every question gets its first button (OK, Yes) and file dialogs are
/// cancelled. For runs without a user, such as benchmarks and fuzzing.
class SilentUi final : public Ui {
 public:
  Answer Ask(const Message& message) override {
    return message.buttons == Buttons::kYesNo || message.buttons == Buttons::kYesNoCancel
               ? Answer::kYes
               : Answer::kOk;
  }
  std::optional<std::string> OpenFile(const FileDialog&) override { return std::nullopt; }
  std::optional<std::string> SaveFile(const FileDialog&) override { return std::nullopt; }
};

}  // namespace talvirex
