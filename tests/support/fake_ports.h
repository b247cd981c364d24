// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scripted fakes of the core's ports: they record what the core showed and answer from a script,
// so a test can say "answer No to the next question, then check nothing changed".

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ports/clipboard.h"
#include "ports/clock.h"
#include "ports/ui.h"

namespace talvirex::testing {

class ScriptedUi final : public Ui {
 public:
  Answer Ask(const Message& message) override {
    shown.push_back(message);
    if (answers.empty()) return message.buttons == Buttons::kOk ? Answer::kOk : Answer::kCancel;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<std::string> OpenFile(const FileDialog&) override { return Next(open_paths); }
  std::optional<std::string> SaveFile(const FileDialog& dialog) override {
    save_dialogs.push_back(dialog);
    return Next(save_paths);
  }
  void Beep() override { ++beeps; }
  void SetBusy(bool busy) override { busy_changes.push_back(busy); }
  void ShowProgress(int value, int maximum) override { progress.emplace_back(value, maximum); }
  void SetStatus(const std::string& text) override { statuses.push_back(text); }
  bool OpenDocument(const std::string& path) override {
    opened_documents.push_back(path);
    return document_viewer;
  }

  /// The texts of every message shown, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : shown) texts.push_back(m.text);
    return texts;
  }

  // The script: answers to questions, then paths for the file dialogs (nullopt = Cancel).
  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> open_paths;
  std::deque<std::optional<std::string>> save_paths;
  bool document_viewer = true;  // whether OpenDocument finds a viewer

  // What the core showed.
  std::vector<Message> shown;
  std::vector<FileDialog> save_dialogs;
  std::vector<std::pair<int, int>> progress;
  std::vector<bool> busy_changes;
  std::vector<std::string> statuses;
  std::vector<std::string> opened_documents;
  int beeps = 0;

 private:
  static std::optional<std::string> Next(std::deque<std::optional<std::string>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto next = queue.front();
    queue.pop_front();
    return next;
  }
};

class FakeClipboard final : public Clipboard {
 public:
  std::string GetText() override { return text; }
  void SetText(const std::string& value) override { text = value; }
  std::string text;
};

class FakeClock final : public Clock {
 public:
  explicit FakeClock(LocalTime time = {2026, 12, 5, 16, 50, 0}) : now(time) {}
  LocalTime Now() const override { return now; }
  LocalTime now;
};

}  // namespace talvirex::testing
