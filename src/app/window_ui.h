// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Ui the main window hands to the core: questions and file dialogs go to the inner Ui (the
// desktop's QtUi, which also shows the busy pointer, or a test's script); the progress bar over
// the status bar and the status text are the window's own and are drawn here as well.

#include <functional>

#include "ports/ui.h"

namespace talvirex {

class WindowUi final : public Ui {
 public:
  explicit WindowUi(Ui& inner) : inner_(inner) {}

  Answer Ask(const Message& message) override { return inner_.Ask(message); }
  std::optional<std::string> OpenFile(const FileDialog& dialog) override {
    return inner_.OpenFile(dialog);
  }
  std::optional<std::string> SaveFile(const FileDialog& dialog) override {
    return inner_.SaveFile(dialog);
  }
  void Beep() override { inner_.Beep(); }
  bool OpenDocument(const std::string& path) override { return inner_.OpenDocument(path); }

  void SetBusy(bool busy) override { inner_.SetBusy(busy); }
  void ShowProgress(int value, int maximum) override {
    inner_.ShowProgress(value, maximum);
    if (on_progress) on_progress(value, maximum);
  }
  void SetStatus(const std::string& text) override {
    inner_.SetStatus(text);
    if (on_status) on_status(text);
  }

  std::function<void(int value, int maximum)> on_progress;  // (0, 0) hides the bar
  std::function<void(const std::string& text)> on_status;

 private:
  Ui& inner_;
};

}  // namespace talvirex
