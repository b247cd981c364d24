// SPDX-License-Identifier: GPL-3.0-or-later
// The transfer engine against traces in tests/data/link/*.trace: each trace holds the events fed
// to the engine and, indented beneath each, the effects it must answer with, in order. The runner
// feeds the events and writes the trace anew; it must come out as the file holds it.
//
//   == title                          a new engine
//   kloon read|send PACING [TIMEOUT]  its mode, pacing and answer timeout; a send's image holds
//                                     byte i in every byte of line i, a read's image "old" lines
//   open | read PORT | send PORT | stop | ok | lost | tick | close-timer   the window's events
//   opened ok|not-available|in-use|no-permission   the answer to opening the port
//   bytes TEXT                        received bytes (\r \n \\ escapes)
//   lines FIRST LAST [PIECE]          the scanner's clone lines FIRST..LAST, each with its CR, in
//                                     pieces of PIECE bytes (a long answer shows its first and
//                                     last eight effects and the number between)
//   repeat N EVENT [; EVENT]...       the events N times; only the last round's effects are shown
//   image LINE TEXT                   replaces a line of the engine's image
//   ? transferring|refusals|counter|image LINE   the engine's state, shown as "  = value"
// With TALVIREX_UPDATE_GOLDEN=1 set, the traces are rewritten from what the engine answers.

#include <gtest/gtest.h>

#include <sstream>

#include "core/link/kloon_test_support.h"
#include "link/kloon.h"
#include "support/golden.h"

namespace talvirex::testing {
namespace {

std::string Describe(const KloonEffect& effect) {
  const char* kOutcomes[] = {"complete",         "bad-read",          "cancelled",
                             "port-unavailable", "port-in-use",       "no-permission",
                             "port-lost",        "too-many-refusals", "answered-twice"};
  return std::visit(
      [&](const auto& e) -> std::string {
        using E = std::decay_t<decltype(e)>;
        if constexpr (std::is_same_v<E, WriteText>) return "write " + Escaped(e.text);
        if constexpr (std::is_same_v<E, OpenPort>) return "open-port " + e.port.Describe();
        if constexpr (std::is_same_v<E, ClosePort>) return "close-port";
        if constexpr (std::is_same_v<E, DiscardInput>) return "discard-input";
        if constexpr (std::is_same_v<E, StartPacingTimer>)
          return "pacing " + std::to_string(e.interval_ms);
        if constexpr (std::is_same_v<E, StopPacingTimer>) return "stop-pacing";
        if constexpr (std::is_same_v<E, StartCloseTimer>)
          return "close-timer " + std::to_string(e.interval_ms);
        if constexpr (std::is_same_v<E, ShowMessage>) return "message " + Escaped(e.message.text);
        if constexpr (std::is_same_v<E, SetStatus>) return "status " + e.text;
        if constexpr (std::is_same_v<E, SetProgress>) {
          return "progress " + std::to_string(e.percent) + "% line " +
                 std::to_string(e.line_counter);
        }
        if constexpr (std::is_same_v<E, SetDetected>)
          return std::string("detected ") + (e.detected ? "yes" : "no");
        if constexpr (std::is_same_v<E, ShowLine>) return "line " + Escaped(e.text);
        if constexpr (std::is_same_v<E, SetRejectedCount>)
          return "rejected " + (e.count ? std::to_string(*e.count) : "-");
        if constexpr (std::is_same_v<E, AppendRefusalLog>) return "refusal-log " + Escaped(e.text);
        if constexpr (std::is_same_v<E, SetButtons>) {
          return std::string("buttons") + (e.read ? " read" : "") + (e.send ? " send" : "") +
                 (e.stop ? " stop" : "");
        }
        if constexpr (std::is_same_v<E, KeepSentImage>) return "keep-image";
        if constexpr (std::is_same_v<E, DecodeImage>) return "decode";
        if constexpr (std::is_same_v<E, CloseWindow>) return "close-window";
        if constexpr (std::is_same_v<E, TransferEnded>)
          return std::string("ended ") + kOutcomes[static_cast<int>(e.outcome)];
      },
      effect);
}

class Engine {
 public:
  Engine(KloonMode mode, int pacing, int timeout) : kloon_(image_, mode, pacing, timeout) {
    if (mode == KloonMode::kSend) image_ = NumberedImage();
    for (int i = 1; mode == KloonMode::kRead && i <= kCloneLineCount; ++i) image_.lines[i] = "old";
  }

  // The effects of one event (or the state asked for), each line indented.
  std::string Run(const std::string& event) {
    std::istringstream in(event);
    std::string verb, word;
    in >> verb;
    KloonEffects effects;
    if (verb == "?") {
      in >> word;
      int line = 0;
      in >> line;
      const std::string value = word == "transferring" ? (kloon_.transferring() ? "yes" : "no")
                                : word == "refusals"   ? std::to_string(kloon_.refusals())
                                : word == "counter"
                                    ? std::to_string(kloon_.line_counter())
                                    : image_.lines.at(static_cast<std::size_t>(line));
      return "  = " + value + "\n";
    }
    if (verb == "open") effects = kloon_.Open();
    if (verb == "read" || verb == "send") {
      in >> word;
      const bool number = !word.empty() && std::isdigit(static_cast<unsigned char>(word[0]));
      const PortAddress port{number ? std::stoi(word) : 1, number ? "" : word};
      effects = verb == "read" ? kloon_.StartRead(port) : kloon_.StartSend(port);
    }
    if (verb == "opened") {
      in >> word;
      effects = kloon_.OnPortOpened(word == "ok"              ? PortOpenResult::kOpened
                                    : word == "in-use"        ? PortOpenResult::kInUse
                                    : word == "no-permission" ? PortOpenResult::kNoPermission
                                                              : PortOpenResult::kNotAvailable);
    }
    if (verb == "bytes") effects = kloon_.OnBytes(Unescaped(event.substr(6)));
    if (verb == "lines") {
      int first = 0, last = 0;
      std::size_t piece = 1 << 20;
      in >> first >> last >> piece;
      std::string stream;
      for (int i = first; i <= last; ++i) stream += CloneLineFor(i, i) + "\r";
      for (std::size_t at = 0; at < stream.size(); at += piece) {
        const KloonEffects more = kloon_.OnBytes(std::string_view(stream).substr(at, piece));
        effects.insert(effects.end(), more.begin(), more.end());
      }
    }
    if (verb == "image") {  // replaces an image line
      int line = 0;
      in >> line;
      std::getline(in >> std::ws, image_.lines.at(static_cast<std::size_t>(line)));
      return {};
    }
    if (verb == "tick") effects = kloon_.OnPacingTimer();
    if (verb == "close-timer") effects = kloon_.OnCloseTimer();
    if (verb == "stop") effects = kloon_.Stop();
    if (verb == "ok") effects = kloon_.Ok();
    if (verb == "lost") effects = kloon_.OnPortLost();
    if (verb == "repeat") {
      int times = 0;
      in >> times;
      std::string rest;
      std::getline(in >> std::ws, rest);
      std::string shown;
      for (int round = 0; round < times; ++round) {
        shown.clear();
        std::istringstream events(rest);
        for (std::string one; std::getline(events >> std::ws, one, ';');) {
          shown += Run(one.substr(0, one.find_last_not_of(' ') + 1));
        }
      }
      return shown;
    }
    // A long answer shows its first and last eight effects and how many lay between.
    std::string text;
    for (std::size_t i = 0; i < effects.size(); ++i) {
      if (effects.size() > 20 && i == 8) {
        text += "  ... " + std::to_string(effects.size() - 16) + " more\n";
        i = effects.size() - 9;
        continue;
      }
      text += "  " + Describe(effects[i]) + "\n";
    }
    return text;
  }

 private:
  CloneImage image_;
  Kloon kloon_;
};

class KloonTrace : public ::testing::TestWithParam<std::string> {};

TEST_P(KloonTrace, AnswersAsTraced) {
  std::unique_ptr<Engine> engine;
  ExpectTrace("link/" + GetParam() + ".trace", [&](const std::string& line) -> std::string {
    if (line.starts_with("kloon ")) {
      std::istringstream words(line.substr(6));
      std::string mode;
      int pacing = 20, timeout = Kloon::kAnswerTimeoutMs;
      words >> mode >> pacing >> timeout;
      engine = std::make_unique<Engine>(mode == "read" ? KloonMode::kRead : KloonMode::kSend,
                                        pacing, timeout);
      return {};
    }
    if (engine == nullptr) ADD_FAILURE() << "an event before the first \"kloon\" line: " << line;
    return engine == nullptr ? "" : engine->Run(line);
  });
}

INSTANTIATE_TEST_SUITE_P(Link, KloonTrace, ::testing::Values("read", "send", "late_answers"));

}  // namespace
}  // namespace talvirex::testing
