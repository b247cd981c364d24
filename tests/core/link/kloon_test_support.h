#pragma once
// Helpers for the transfer engine's tests: well-formed clone lines made by the plain
// character-code sum, and a recorder that sorts the engine's effects by kind.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "image/clone_image.h"
#include "link/kloon.h"

namespace talvirex::testing {

/// The clone line for image line `index` whose 16 bytes are all `fill`; its checksum is the sum of
/// the character codes of the first 41 characters.
inline std::string CloneLineFor(int index, int fill) {
  char body[64];
  std::snprintf(body, sizeof body, "CLN %04X ", (index - 1) * 16);
  std::string line = body;
  for (int i = 0; i < 16; ++i) {
    std::snprintf(body, sizeof body, "%02X", fill & 0xFF);
    line += body;
  }
  int sum = 0;
  for (char c : line) sum += static_cast<unsigned char>(c);
  std::snprintf(body, sizeof body, "~%04X", sum);
  return line + body;
}

/// An image whose line i is filled with the byte i.
inline CloneImage NumberedImage() {
  CloneImage image;
  for (int i = 1; i <= kCloneLineCount; ++i)
    image.lines[static_cast<std::size_t>(i)] = CloneLineFor(i, i);
  return image;
}

/// Everything the engine asked for, by kind, across many calls.
struct Recorder {
  void Take(const KloonEffects& effects) {
    for (const auto& effect : effects) {
      all.push_back(effect);
      if (const auto* w = std::get_if<WriteText>(&effect)) writes.push_back(w->text);
      if (const auto* s = std::get_if<SetStatus>(&effect)) statuses.push_back(s->text);
      if (const auto* m = std::get_if<ShowMessage>(&effect)) messages.push_back(m->message.text);
      if (const auto* p = std::get_if<SetProgress>(&effect)) progress.push_back(*p);
      if (const auto* b = std::get_if<SetButtons>(&effect)) buttons = *b;
      if (const auto* r = std::get_if<SetRejectedCount>(&effect)) rejected = r->count;
      if (const auto* l = std::get_if<AppendRefusalLog>(&effect)) refusal_log += l->text;
      if (const auto* d = std::get_if<SetDetected>(&effect)) detected = d->detected;
      if (const auto* e = std::get_if<TransferEnded>(&effect)) ended.push_back(e->outcome);
      if (const auto* t = std::get_if<StartPacingTimer>(&effect)) timers.push_back(t->interval_ms);
      if (std::holds_alternative<OpenPort>(effect)) ++opens;
      if (std::holds_alternative<ClosePort>(effect)) ++closes;
      if (std::holds_alternative<DecodeImage>(effect)) ++decodes;
      if (std::holds_alternative<CloseWindow>(effect)) ++window_closes;
      if (const auto* c = std::get_if<StartCloseTimer>(&effect)) close_timer = c->interval_ms;
    }
  }
  template <typename T>
  int Count() const {
    int n = 0;
    for (const auto& effect : all) n += std::holds_alternative<T>(effect) ? 1 : 0;
    return n;
  }
  void ClearWrites() { writes.clear(); }

  std::vector<KloonEffect> all;
  std::vector<std::string> writes;
  std::vector<std::string> statuses;
  std::vector<std::string> messages;
  std::vector<SetProgress> progress;
  std::vector<Outcome> ended;
  std::vector<int> timers;
  SetButtons buttons;
  std::optional<int> rejected;
  std::string refusal_log;
  bool detected = false;
  int opens = 0;
  int closes = 0;
  int decodes = 0;
  int window_closes = 0;
  std::optional<int> close_timer;
};

}  // namespace talvirex::testing
