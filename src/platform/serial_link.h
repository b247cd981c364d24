// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A transfer session on a real serial port: a QSerialPort and two single-shot timers that carry
// out the engine's port and timer effects in order, hand every other effect to the session, and
// feed the engine the port's bytes, timers and errors. The driver makes no protocol decision, so
// the command line and the desktop transfer window both sit on it. Everything runs on the thread
// that owns the link, inside its Qt event loop.

#include <QObject>
#include <QSerialPort>
#include <QTimer>

#include "link/transfer_session.h"

namespace talvirex {

/// The serial device port `n` stands for: "COMn" on Windows, elsewhere the n-th device of the
/// system's serial ports sorted by name (`PortNameBefore`); a device path as it is. Empty when
/// there is no such port.
QString SerialDeviceName(const PortAddress& port);

/// The order of device names: by the name without its trailing digits, then by the number those
/// digits make, so "ttyS2" comes before "ttyS10".
bool PortNameBefore(const QString& a, const QString& b);

class SerialLink : public QObject {
 public:
  /// `session` must outlive the link.
  explicit SerialLink(TransferSession& session, QObject* parent = nullptr);
  ~SerialLink() override;

  /// Carries out the effects of an engine call made by the owner (`Open`, a button, `Ok`).
  void Carry(const KloonEffects& effects);
  bool port_open() const { return port_.isOpen(); }

 private:
  void Perform(const KloonEffect& effect);
  void OpenPort(const PortAddress& address);
  void ClosePort();
  void DrainOutput();
  void OnReadyRead();
  void OnError(QSerialPort::SerialPortError error);

  TransferSession& session_;
  Kloon& kloon_;
  QSerialPort port_;
  QTimer pacing_;
  QTimer close_;
  bool lost_reported_ = false;
};

}  // namespace talvirex
