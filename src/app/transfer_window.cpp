// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/transfer_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/dialog_launcher.h"
#include "editor/clone_commands.h"
#include "editor/history.h"
#include "editor/main_window.h"
#include "files/file_io.h"
#include "platform/serial_link.h"
#include "ports/clock.h"
#include "ports/ui.h"
#include "settings/program_folder.h"
#include "settings/registry_store.h"
#include "workspace.h"

namespace talvirex {

namespace {

constexpr std::size_t kRegistryStoreLimit = 1 << 20;

QString Text(const std::string& text) { return QString::fromStdString(text); }

RegistryStore LoadRegistryStore(const std::filesystem::path& program_folder) {
  const ReadResult stored = ReadWholeFile(RegistryStorePath(program_folder), kRegistryStoreLimit);
  return RegistryStore::Parse(stored.bytes.value_or(""));
}

// The refusal log's entries begin with their own CR LF; the field shows plain lines.
QString LogText(std::string text) {
  std::erase(text, '\r');
  return Text(text);
}

}  // namespace

TransferDialog::TransferDialog(Document& document, KloonMode mode, TransferServices services,
                               QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      setup_(PortSetup::Load(LoadRegistryStore(services_.program_folder))) {
  setObjectName(QStringLiteral("kloon"));
  session_ = std::make_unique<TransferSession>(
      document, mode, setup_.pacing_ms(), TransferFiles{services_.program_folder, services_.clock},
      services_.ui, static_cast<TransferView&>(*this));
  setWindowTitle(Text(std::string(kloon().Caption())));
  setModal(true);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(BuildCommunicationFrame(), 1);
  layout->addWidget(BuildPortFrame());
  ShowPortSetup();
  link_ = std::make_unique<SerialLink>(*session_);

  connect(read_, &QPushButton::clicked, this, [this] { Start(); });
  connect(send_, &QPushButton::clicked, this, [this] { Start(); });
  connect(stop_, &QPushButton::clicked, this, [this] { link_->Carry(session_->kloon().Stop()); });
  connect(ok_, &QPushButton::clicked, this, [this] { reject(); });
  link_->Carry(session_->kloon().Open());
}

TransferDialog::~TransferDialog() {
  // The link goes first: its port and timers must not reach a half-destroyed window.
  link_.reset();
}

QWidget* TransferDialog::BuildCommunicationFrame() {
  auto* frame = new QGroupBox(QStringLiteral("Communication:"), this);
  auto* layout = new QGridLayout(frame);
  status_ = new QLabel(frame);
  status_->setObjectName(QStringLiteral("status"));
  status_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('m')) * 28);
  progress_ = new QProgressBar(frame);
  progress_->setObjectName(QStringLiteral("progress"));
  progress_->setRange(0, 100);
  detected_ = new QLabel(frame);
  detected_->setObjectName(QStringLiteral("detected"));
  line_ = new QLineEdit(frame);
  line_->setObjectName(QStringLiteral("line"));
  line_->setReadOnly(true);
  line_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  line_->setMinimumWidth(QFontMetrics(line_->font()).horizontalAdvance(QString(48, 'M')));
  rejected_ = new QLineEdit(frame);
  rejected_->setObjectName(QStringLiteral("rejected"));
  rejected_->setReadOnly(true);
  rejected_->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
  refusal_log_ = new QPlainTextEdit(frame);
  refusal_log_->setObjectName(QStringLiteral("refusals"));
  refusal_log_->setReadOnly(true);
  refusal_log_->setFixedHeight(fontMetrics().height() * 4 + 10);
  // Beside no caption of their own (the frame's caption names the group).
  progress_->setAccessibleName(QStringLiteral("Progress"));
  line_->setAccessibleName(QStringLiteral("Current line"));
  refusal_log_->setAccessibleName(QStringLiteral("Refused lines"));
  // The fields only show; the keyboard goes to the buttons.
  line_->setFocusPolicy(Qt::NoFocus);
  rejected_->setFocusPolicy(Qt::NoFocus);
  refusal_log_->setFocusPolicy(Qt::ClickFocus);

  read_ = new QPushButton(QStringLiteral("Read from SC200"), frame);
  read_->setObjectName(QStringLiteral("read"));
  stop_ = new QPushButton(QStringLiteral("Stop"), frame);
  stop_->setObjectName(QStringLiteral("stop"));
  send_ = new QPushButton(QStringLiteral("Send to SC200"), frame);
  send_->setObjectName(QStringLiteral("send"));
  ok_ = new QPushButton(QStringLiteral("Ok"), frame);
  ok_->setObjectName(QStringLiteral("ok"));
  for (QPushButton* button : {read_, stop_, send_, ok_}) button->setAutoDefault(false);

  int row = 0;
  layout->addWidget(status_, row++, 0, 1, 4);
  layout->addWidget(progress_, row++, 0, 1, 4);
  layout->addWidget(new QLabel(QStringLiteral("Detected:"), frame), row, 0);
  layout->addWidget(detected_, row, 1);
  auto* rejected_label = new QLabel(QStringLiteral("Rejected lines:"), frame);
  rejected_label->setBuddy(rejected_);
  layout->addWidget(rejected_label, row, 2, Qt::AlignRight);
  layout->addWidget(rejected_, row++, 3);
  layout->addWidget(line_, row++, 0, 1, 4);
  layout->addWidget(refusal_log_, row++, 0, 1, 4);
  layout->setRowStretch(row++, 1);  // the buttons stay at the bottom
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {read_, stop_, send_, ok_}) buttons->addWidget(button);
  layout->addLayout(buttons, row, 0, 1, 4);
  return frame;
}

QWidget* TransferDialog::BuildPortFrame() {
  auto* frame = new QGroupBox(QStringLiteral("Port:"), this);
  auto* layout = new QGridLayout(frame);
  for (int option = 1; option <= PortSetup::kOtherOption; ++option) {
    const bool other = option == PortSetup::kOtherOption;
    auto* button = new QRadioButton(
        other ? QStringLiteral("other:") : QStringLiteral("com%1").arg(option), frame);
    button->setObjectName(other ? QStringLiteral("other") : QStringLiteral("com%1").arg(option));
    auto* device = new QLabel(frame);
    device->setObjectName(QStringLiteral("device%1").arg(option));
    device->setEnabled(false);
    options_[static_cast<std::size_t>(option - 1)] = button;
    devices_[static_cast<std::size_t>(option - 1)] = device;
    connect(button, &QRadioButton::toggled, this, [this, option](bool on) {
      if (on) setup_.SelectOption(option);
    });
  }
  other_entry_ = new QLineEdit(frame);
  other_entry_->setObjectName(QStringLiteral("otherport"));
  other_entry_->setToolTip(QStringLiteral("enter comport number 9 - 19"));
  other_entry_->setAccessibleName(QStringLiteral("other port"));
  connect(other_entry_, &QLineEdit::textChanged, this, [this](const QString& text) {
    setup_.SetOtherEntry(text.toStdString());
    ShowOtherDevice();
  });

  int row = 0;
  for (int option = 1; option < PortSetup::kOtherOption; ++option, ++row) {
    layout->addWidget(options_[static_cast<std::size_t>(option - 1)], row, 0);
    layout->addWidget(devices_[static_cast<std::size_t>(option - 1)], row, 1, 1, 2);
  }
  layout->addWidget(options_.back(), row, 0);
  layout->addWidget(other_entry_, row++, 1, 1, 2);
  layout->addWidget(devices_.back(), row++, 1, 1, 2);
  layout->setRowStretch(row, 1);
  return frame;
}

void TransferDialog::ShowPortSetup() {
  other_entry_->setText(Text(setup_.other_entry()));
  port_option(setup_.selected_option())->setChecked(true);
  ShowDeviceNames();
}

namespace {

void ShowDevice(QLabel* label, const QString& device) {
  label->setText(device.isEmpty() ? QStringLiteral("(not present)") : device);
}

}  // namespace

void TransferDialog::ShowDeviceNames() {
  for (int option = 1; option < PortSetup::kOtherOption; ++option) {
    ShowDevice(device_label(option), SerialDeviceName(PortAddress{option, {}}));
  }
  ShowOtherDevice();
}

void TransferDialog::ShowOtherDevice() {
  QLabel* label = device_label(PortSetup::kOtherOption);
  // A device path is shown as typed in the entry already.
  if (IsDevicePath(setup_.other_entry())) return label->clear();
  PortSetup other = setup_;
  other.SelectOption(PortSetup::kOtherOption);
  ShowDevice(label, SerialDeviceName(other.Port()));
}

void TransferDialog::TakePortChoice() {
  setup_.SetOtherEntry(other_entry_->text().toStdString());
  for (int option = 1; option <= PortSetup::kOtherOption; ++option) {
    if (port_option(option)->isChecked()) setup_.SelectOption(option);
  }
}

void TransferDialog::Start() {
  TakePortChoice();
  link_->Carry(session_->Start(setup_.Port()));
}

void TransferDialog::ShowStatus(const std::string& text) { status_->setText(Text(text)); }

void TransferDialog::ShowProgress(const SetProgress& progress) {
  progress_->setValue(progress.percent);
}

void TransferDialog::ShowDetected(bool detected) {
  detected_->setText(detected ? QStringLiteral("Yes") : QStringLiteral("No"));
}

void TransferDialog::ShowSentLine(const std::string& text) { line_->setText(Text(text)); }

void TransferDialog::ShowRejectedCount(std::optional<int> count) {
  rejected_->setText(count ? QString::number(*count) : QString());
}

void TransferDialog::AppendRefusal(const std::string& text) {
  refusal_log_->setPlainText(refusal_log_->toPlainText() + LogText(text));
}

void TransferDialog::EnableButtons(const SetButtons& buttons) {
  read_->setEnabled(buttons.read);
  send_->setEnabled(buttons.send);
  stop_->setEnabled(buttons.stop);
}

void TransferDialog::CloseView() {
  Finish();
  QDialog::done(QDialog::Accepted);
}

void TransferDialog::reject() {
  if (finished_) return QDialog::reject();
  link_->Carry(session_->kloon().Ok());  // ends with the engine's CloseWindow
  if (!finished_) {
    Finish();
    QDialog::reject();
  }
}

void TransferDialog::closeEvent(QCloseEvent* event) {
  if (!finished_) reject();
  event->accept();
}

void TransferDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* shown_on = screen()) {
    move(shown_on->availableGeometry().center() - rect().center());
  }
}

void TransferDialog::Finish() {
  if (finished_) return;
  finished_ = true;
  TakePortChoice();
  StorePortSetup();
  session_->Finish();
}

void TransferDialog::StorePortSetup() {
  // Read again: other parts of the program may have written their values since the window opened.
  RegistryStore store = LoadRegistryStore(services_.program_folder);
  setup_.Store(store);
  if (const auto error =
          WriteFileAtomically(RegistryStorePath(services_.program_folder), store.Serialize())) {
    status_->setText(Text("The settings could not be saved: " + error->reason));
  }
}

namespace {

TransferWindow ModalWindow(KloonMode mode, WindowCommandContext& context) {
  return [mode, &context] {
    TransferDialog dialog(context.workspace, mode,
                          {context.ui, context.clock, context.program_folder}, context.parent);
    dialog.exec();
    return dialog.outcome() == Outcome::kComplete;
  };
}

}  // namespace

bool RunTransferCommand(CommandId command, WindowCommandContext& context) {
  if (command == CommandId::kReadFromScanner) {
    const auto box_text = ReadCommand(context.workspace, context.ui, context.logic.files(),
                                      ModalWindow(KloonMode::kRead, context));
    if (box_text) {
      context.logic.RefreshBankCaptions();
      context.logic.Redraw();
      context.logic.editor().EditorBoxTextChanged(*box_text);
    }
    return true;
  }
  if (command == CommandId::kSendToScanner) {
    SendCommand(context.workspace, context.ui, ModalWindow(KloonMode::kSend, context));
    context.logic.Redraw();
    SettleShownBank(context.workspace);  // the send cleaned the table's texts: nothing to undo
    return true;
  }
  return false;
}

}  // namespace talvirex
