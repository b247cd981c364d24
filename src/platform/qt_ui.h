// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's answer to the core's Ui port: Qt message boxes, file dialogs, the beep, the busy
// pointer, and progress and status through callbacks the main window connects to its status bar.

#include <QPointer>
#include <QWidget>
#include <functional>

#include "ports/ui.h"

namespace talvirex {

class QtUi final : public Ui {
 public:
  explicit QtUi(QWidget* parent = nullptr) : parent_(parent) {}

  Answer Ask(const Message& message) override;
  std::optional<std::string> OpenFile(const FileDialog& dialog) override;
  std::optional<std::string> SaveFile(const FileDialog& dialog) override;
  void Beep() override;
  void SetBusy(bool busy) override;
  void ShowProgress(int value, int maximum) override;
  void SetStatus(const std::string& text) override;
  bool OpenDocument(const std::string& path) override;

  /// Where progress and status texts go (the main window's status bar); unset: nowhere.
  std::function<void(int value, int maximum)> on_progress;
  std::function<void(const QString& text)> on_status;

 private:
  QPointer<QWidget> parent_;
  int busy_depth_ = 0;
};

/// "TALVIR files|*.s2c|All Files|*.*" as a Qt filter: "TALVIR files (*.s2c);;All Files (*.*)".
QString QtFileFilter(const std::string& description_pattern_pairs);

}  // namespace talvirex
