// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The transfer window `kloon` ("SC200 serial communication"): the clone exchange with the scanner
// on a real serial port. The engine `Kloon` decides everything; the window draws what it asks for
// through `SerialLink`, turns the buttons into engine calls, and keeps the port choice and the
// pacing interval in the registry store between runs. Around the exchange it writes the image
// backups (after a complete read, before a send) and keeps a trace of every message.

#include <QDialog>
#include <array>
#include <filesystem>
#include <memory>

#include "editor/command_table.h"
#include "link/kloon.h"
#include "link/port_setup.h"
#include "link/transfer_session.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace talvirex {

struct Document;
struct WindowCommandContext;
class Ui;
class Clock;
class SerialLink;

/// What the window needs besides the tables: message boxes, the time for backup and trace names,
/// and the program folder that holds the registry store, "backup" and "traces".
struct TransferServices {
  Ui& ui;
  const Clock& clock;
  std::filesystem::path program_folder;
};

class TransferDialog final : public QDialog, private TransferView {
  Q_OBJECT

 public:
  /// A window for one kind of transfer on `document`'s clone image; a complete read decodes it
  /// into the tables. The port choice and pacing come from the registry store at once.
  TransferDialog(Document& document, KloonMode mode, TransferServices services,
                 QWidget* parent = nullptr);
  ~TransferDialog() override;

  // The widgets, for tests and screenshots.
  QPushButton* read_button() const { return read_; }
  QPushButton* send_button() const { return send_; }
  QPushButton* stop_button() const { return stop_; }
  QPushButton* ok_button() const { return ok_; }
  QLabel* status_label() const { return status_; }
  QProgressBar* progress_bar() const { return progress_; }
  QLabel* detected_label() const { return detected_; }
  QLineEdit* line_field() const { return line_; }
  QLineEdit* rejected_field() const { return rejected_; }
  QPlainTextEdit* refusal_log() const { return refusal_log_; }
  /// Option 1..8 is "com1".."com8", 9 is "other:".
  QRadioButton* port_option(int option) const { return options_.at(option - 1); }
  QLineEdit* other_entry() const { return other_entry_; }
  /// The device shown beside option 1..9.
  QLabel* device_label(int option) const { return devices_.at(option - 1); }
  const Kloon& kloon() const { return session_->kloon(); }
  /// How the transfer ended; nothing while none has.
  std::optional<Outcome> outcome() const { return session_->outcome(); }

  /// "Ok" and the close box end a running transfer before the window closes.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildCommunicationFrame();
  QWidget* BuildPortFrame();
  void ShowPortSetup();
  void TakePortChoice();
  void ShowDeviceNames();
  void ShowOtherDevice();
  void Start();
  void Finish();
  void StorePortSetup();

  // What the session shows.
  void ShowStatus(const std::string& text) override;
  void ShowProgress(const SetProgress& progress) override;
  void ShowDetected(bool detected) override;
  void ShowSentLine(const std::string& text) override;
  void ShowRejectedCount(std::optional<int> count) override;
  void AppendRefusal(const std::string& text) override;
  void EnableButtons(const SetButtons& buttons) override;
  void CloseView() override;

  TransferServices services_;
  PortSetup setup_;
  std::unique_ptr<TransferSession> session_;
  std::unique_ptr<SerialLink> link_;
  bool finished_ = false;  // the port choice is stored and the trace kept

  QLabel* status_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* detected_ = nullptr;
  QLineEdit* line_ = nullptr;
  QLineEdit* rejected_ = nullptr;
  QPlainTextEdit* refusal_log_ = nullptr;
  QPushButton* read_ = nullptr;
  QPushButton* stop_ = nullptr;
  QPushButton* send_ = nullptr;
  QPushButton* ok_ = nullptr;
  std::array<QRadioButton*, PortSetup::kOtherOption> options_{};
  std::array<QLabel*, PortSetup::kOtherOption> devices_{};
  QLineEdit* other_entry_ = nullptr;
};

/// `menread` (kReadFromScanner) and `memsend` (kSendToScanner): the clone commands around a modal
/// transfer window, then the editor box's text; the main window redraws the rest afterwards. False
/// for any other command.
bool RunTransferCommand(CommandId command, WindowCommandContext& context);

}  // namespace talvirex
