// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial_link.h"

#include <QDeadlineTimer>
#include <QSerialPortInfo>
#include <QThread>
#include <algorithm>
#include <tuple>
#include <variant>

#include "ports/ui.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace talvirex {

namespace {

// A character on the 9600-baud line takes 11 bit times (start, 8 data, 2 stop bits).
constexpr double kWireMsPerByte = 11.0 * 1000.0 / 9600.0;
// The wait for queued bytes to leave the driver before the port closes, beyond their wire time.
constexpr int kDrainSlackMs = 500;
constexpr int kDrainLimitMs = 5000;

// Open fails alike for a device another program holds and for one the user may not open; only
// the device's own permissions tell them apart.
bool NoPermission([[maybe_unused]] const QString& device) {
#ifdef Q_OS_UNIX
  const QByteArray path = device.toLocal8Bit();
  return ::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) != 0 && errno == EACCES;
#else
  return false;  // on Windows a denied open means the port is held
#endif
}

}  // namespace

bool PortNameBefore(const QString& a, const QString& b) {
  const auto split = [](const QString& name) {
    qsizetype digits = name.size();
    while (digits > 0 && name[digits - 1].isDigit()) --digits;
    // Up to nine digits fit an int; longer numbers compare as text after the shorter ones.
    const QString number = name.mid(digits);
    return std::tuple(name.left(digits), number.size() > 9 ? 1 : 0, number.toInt(), number);
  };
  return split(a) < split(b);
}

QString SerialDeviceName(const PortAddress& port) {
  if (!port.device.empty()) return QString::fromStdString(port.device);
#ifdef Q_OS_WIN
  return port.number >= 1 ? QStringLiteral("COM%1").arg(port.number) : QString();
#else
  auto ports = QSerialPortInfo::availablePorts();
  std::sort(ports.begin(), ports.end(), [](const QSerialPortInfo& a, const QSerialPortInfo& b) {
    return PortNameBefore(a.portName(), b.portName());
  });
  if (port.number < 1 || port.number > ports.size()) return {};
  return ports[port.number - 1].systemLocation();
#endif
}

SerialLink::SerialLink(TransferSession& session, QObject* parent)
    : QObject(parent), session_(session), kloon_(session.kloon()) {
  pacing_.setSingleShot(true);
  pacing_.setTimerType(Qt::PreciseTimer);  // the pacing is a pause the scanner needs: never shorter
  close_.setSingleShot(true);
  connect(&pacing_, &QTimer::timeout, this, [this] { Carry(kloon_.OnPacingTimer()); });
  connect(&close_, &QTimer::timeout, this, [this] { Carry(kloon_.OnCloseTimer()); });
  connect(&port_, &QSerialPort::readyRead, this, &SerialLink::OnReadyRead);
  connect(&port_, &QSerialPort::errorOccurred, this, &SerialLink::OnError);
}

SerialLink::~SerialLink() {
  port_.disconnect(this);
  if (port_.isOpen()) port_.close();
}

void SerialLink::Carry(const KloonEffects& effects) {
  for (const KloonEffect& effect : effects) Perform(effect);
}

void SerialLink::Perform(const KloonEffect& effect) {
  std::visit(
      [&](const auto& e) {
        using E = std::decay_t<decltype(e)>;
        if constexpr (std::is_same_v<E, WriteText>) {
          if (port_.isOpen()) {
            port_.write(e.text.data(), static_cast<qint64>(e.text.size()));
            session_.Sent(e.text);
          }
        } else if constexpr (std::is_same_v<E, talvirex::OpenPort>) {
          OpenPort(e.port);
        } else if constexpr (std::is_same_v<E, talvirex::ClosePort>) {
          ClosePort();
        } else if constexpr (std::is_same_v<E, DiscardInput>) {
          if (port_.isOpen()) {
            port_.clear(QSerialPort::Input);
            port_.readAll();
          }
        } else if constexpr (std::is_same_v<E, StartPacingTimer>) {
          pacing_.start(e.interval_ms);
        } else if constexpr (std::is_same_v<E, StopPacingTimer>) {
          pacing_.stop();
        } else if constexpr (std::is_same_v<E, StartCloseTimer>) {
          close_.start(e.interval_ms);
        } else {
          session_.Present(effect);
        }
      },
      effect);
}

void SerialLink::OpenPort(const PortAddress& address) {
  if (port_.isOpen()) port_.close();
  const QString name = SerialDeviceName(address);
  PortOpenResult result = PortOpenResult::kNotAvailable;
  if (!name.isEmpty()) {
    port_.setPortName(name);
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setParity(QSerialPort::NoParity);
    port_.setDataBits(QSerialPort::Data8);
    port_.setStopBits(QSerialPort::TwoStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    lost_reported_ = true;  // errors of the opening itself are its result, not a lost port
    if (port_.open(QIODevice::ReadWrite)) {
      result = PortOpenResult::kOpened;
      lost_reported_ = false;
    } else if (port_.error() == QSerialPort::PermissionError ||
               port_.error() == QSerialPort::OpenError) {
      // Another program holds the device (lock or EBUSY), or the user may not use it.
      result = NoPermission(name) ? PortOpenResult::kNoPermission : PortOpenResult::kInUse;
    }
    port_.clearError();
  }
  Carry(kloon_.OnPortOpened(result));
}

void SerialLink::ClosePort() {
  if (!port_.isOpen()) return;
  if (port_.error() == QSerialPort::NoError) DrainOutput();
  port_.close();
}

// Closing drops whatever the port still queues, and the settings restored at close can garble
// bytes still in the driver: wait until the last write (often "END") is out, but not forever.
void SerialLink::DrainOutput() {
  const qint64 queued = port_.bytesToWrite();
  const QDeadlineTimer deadline(std::min<qint64>(
      kDrainLimitMs, kDrainSlackMs + static_cast<qint64>(queued * kWireMsPerByte)));
  while (port_.bytesToWrite() > 0 && !deadline.hasExpired()) {
    if (!port_.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) break;
  }
#ifdef Q_OS_UNIX
  int unsent = 0;
  while (::ioctl(port_.handle(), TIOCOUTQ, &unsent) == 0 && unsent > 0 && !deadline.hasExpired()) {
    QThread::msleep(1);
  }
#endif
}

void SerialLink::OnReadyRead() {
  const QByteArray bytes = port_.readAll();
  if (bytes.isEmpty()) return;
  const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  session_.Received(text);
  Carry(kloon_.OnBytes(text));
}

void SerialLink::OnError(QSerialPort::SerialPortError error) {
  if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || lost_reported_) return;
  if (!port_.isOpen()) return;
  lost_reported_ = true;
  Carry(kloon_.OnPortLost());
  // A dead device must not keep waking the event loop.
  if (port_.isOpen()) port_.close();
}

}  // namespace talvirex
