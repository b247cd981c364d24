// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/transfer_session.h"

#include <type_traits>
#include <variant>

#include "document.h"
#include "image/decoders.h"
#include "ports/ui.h"

namespace talvirex {

TransferSession::TransferSession(Document& document, KloonMode mode, int pacing_ms,
                                 TransferFiles files, Ui& ui, TransferView& view,
                                 int answer_timeout_ms)
    : document_(document),
      mode_(mode),
      files_(std::move(files)),
      ui_(ui),
      view_(view),
      kloon_(document.clone_image, mode, pacing_ms, answer_timeout_ms),
      trace_(files_.clock) {}

KloonEffects TransferSession::Start(const PortAddress& port) {
  KloonEffects effects =
      mode_ == KloonMode::kRead ? kloon_.StartRead(port) : kloon_.StartSend(port);
  started_ = started_ || !effects.empty();
  return effects;
}

// The backup is what lets the user put the scanner back, so a failure is said at once, in the log
// and as a message; the transfer goes on, as the scanner is already in clone mode.
void TransferSession::KeepBackup(BackupKind kind) {
  const ImageBackup backup =
      WriteImageBackup(document_.clone_image, files_.program_folder, files_.clock.Now(), kind);
  if (!backup.failure) return;
  const std::string text = "The backup image could not be written:\r\n" + backup.path.string() +
                           "\r\n" + backup.failure->reason;
  view_.AppendRefusal("\r\n" + text);
  ui_.Ask(Message{text, {}, Buttons::kOk, Icon::kWarning});
}

void TransferSession::Present(const KloonEffect& effect) {
  std::visit(
      [this](const auto& e) {
        using E = std::decay_t<decltype(e)>;
        if constexpr (std::is_same_v<E, ShowMessage>) {
          ui_.Ask(e.message);
        } else if constexpr (std::is_same_v<E, SetStatus>) {
          trace_.Status(e.text);
          view_.ShowStatus(e.text);
        } else if constexpr (std::is_same_v<E, SetProgress>) {
          view_.ShowProgress(e);
        } else if constexpr (std::is_same_v<E, SetDetected>) {
          view_.ShowDetected(e.detected);
        } else if constexpr (std::is_same_v<E, ShowLine>) {
          view_.ShowSentLine(e.text);
        } else if constexpr (std::is_same_v<E, SetRejectedCount>) {
          view_.ShowRejectedCount(e.count);
        } else if constexpr (std::is_same_v<E, AppendRefusalLog>) {
          view_.AppendRefusal(e.text);
        } else if constexpr (std::is_same_v<E, SetButtons>) {
          view_.EnableButtons(e);
        } else if constexpr (std::is_same_v<E, KeepSentImage>) {
          KeepBackup(BackupKind::kSend);
        } else if constexpr (std::is_same_v<E, DecodeImage>) {
          KeepBackup(BackupKind::kRead);
          filter_image(document_, ui_);
        } else if constexpr (std::is_same_v<E, CloseWindow>) {
          view_.CloseView();
        } else if constexpr (std::is_same_v<E, TransferEnded>) {
          outcome_ = e.outcome;
          view_.TransferFinished(e.outcome);
        }
        // The port and timer effects are the driver's own.
      },
      effect);
}

void TransferSession::Finish() {
  if (finished_ || !started_) return;
  finished_ = true;
  KeepTrace(trace_, files_.program_folder, files_.clock.Now(),
            mode_ == KloonMode::kRead ? "read" : "send");
}

}  // namespace talvirex
