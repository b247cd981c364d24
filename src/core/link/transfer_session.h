// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One transfer as both the desktop transfer window and the command line run it: the engine `Kloon`
// on the document's clone image, and what surrounds every exchange. Once the scanner has answered
// a send, the image about to go out is kept in the program folder's "backup" folder, and so is the
// image a complete read brought, before it is decoded into the document; a backup that cannot be
// written is reported in the refusal log and as a message, and the transfer goes on. Every status
// text goes into a trace kept in "traces". A driver (the serial link) feeds the engine the port's
// events, carries out the port and timer effects itself and hands every other effect, in order, to
// `Present`.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "link/image_backup.h"
#include "link/kloon.h"
#include "link/transfer_trace.h"

namespace talvirex {

struct Document;
class Ui;

/// What a transfer shows. The desktop window draws all of it; the command line writes the texts
/// and a progress bar and ends its run when the transfer has ended.
class TransferView {
 public:
  virtual ~TransferView() = default;
  virtual void ShowStatus(const std::string& text) = 0;
  virtual void ShowProgress(const SetProgress& /*progress*/) {}
  virtual void ShowDetected(bool /*detected*/) {}
  virtual void ShowSentLine(const std::string& /*text*/) {}
  virtual void ShowRejectedCount(std::optional<int> /*count*/) {}
  virtual void AppendRefusal(const std::string& /*text*/) {}
  virtual void EnableButtons(const SetButtons& /*buttons*/) {}
  /// The engine is done with the window (a complete read, "Ok").
  virtual void CloseView() {}
  virtual void TransferFinished(Outcome /*outcome*/) {}
};

/// Where a transfer keeps its backups and traces, and the time it names them by.
struct TransferFiles {
  std::filesystem::path program_folder;
  const Clock& clock;
};

class TransferSession {
 public:
  /// One kind of transfer on `document`'s clone image; a complete read is decoded into
  /// `document`. Messages go to `ui`, everything else shown to `view`; all must outlive it.
  TransferSession(Document& document, KloonMode mode, int pacing_ms, TransferFiles files, Ui& ui,
                  TransferView& view, int answer_timeout_ms = Kloon::kAnswerTimeoutMs);

  Kloon& kloon() { return kloon_; }
  const Kloon& kloon() const { return kloon_; }
  KloonMode mode() const { return mode_; }

  /// The mode's transfer button on `port`.
  KloonEffects Start(const PortAddress& port);

  /// Carries out an effect that is not the driver's own (port, timers): texts and buttons go to
  /// the view, status texts also into the trace, messages to the ui; a complete read's image is
  /// kept and decoded into the document, a send's image kept.
  void Present(const KloonEffect& effect);
  /// What went out on the port and what came in, in the pieces the port gave them.
  void Sent(std::string_view bytes) { trace_.Sent(bytes); }
  void Received(std::string_view bytes) { trace_.Received(bytes); }

  /// Keeps the trace in the program folder ("read" or "send"), once, when a transfer was started.
  void Finish();

  const TransferTrace& trace() const { return trace_; }
  /// How the last transfer ended; nothing while none has.
  std::optional<Outcome> outcome() const { return outcome_; }

 private:
  void KeepBackup(BackupKind kind);

  Document& document_;
  KloonMode mode_;
  TransferFiles files_;
  Ui& ui_;
  TransferView& view_;
  Kloon kloon_;
  TransferTrace trace_;
  std::optional<Outcome> outcome_;
  bool started_ = false;
  bool finished_ = false;
};

}  // namespace talvirex
