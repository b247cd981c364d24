#pragma once
// The transfer engine `Kloon` on a real serial port: a QSerialPort and two single-shot timers
// that carry out the engine's effects in order and feed it the port's bytes, timers and errors.
// The driver makes no protocol decision; what the engine wants shown goes to `SerialLinkHooks`
// (messages to the Ui), so the command line and the desktop transfer window both sit on it.
// Everything runs on the thread that owns the link, inside its Qt event loop.

#include <QObject>
#include <QSerialPort>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "link/kloon.h"

namespace talvirex {

class Ui;

/// What the engine wants shown; every hook may be left empty.
struct SerialLinkHooks {
  std::function<void(const std::string&)> status;
  std::function<void(const SetProgress&)> progress;
  std::function<void(bool)> detected;
  std::function<void(const std::string&)> line;
  std::function<void(std::optional<int>)> rejected_count;
  std::function<void(const std::string&)> refusal_log;
  std::function<void(const SetButtons&)> buttons;
  /// A complete read: decode the image into the tables (`DecodeReadImage`).
  std::function<void()> decode_image;
  std::function<void()> close_window;
  std::function<void(Outcome)> transfer_ended;
  /// Every message written to the port, and the received bytes in the pieces the port gave them
  /// (for a transfer trace).
  std::function<void(const std::string&)> sent;
  std::function<void(std::string_view)> received;
};

/// The serial device port `n` stands for: "COMn" on Windows, elsewhere the n-th device of the
/// system's serial ports sorted by name (`PortNameBefore`); a device path as it is. Empty when
/// there is no such port.
QString SerialDeviceName(const PortAddress& port);

/// The order of device names: by the name without its trailing digits, then by the number those
/// digits make, so "ttyS2" comes before "ttyS10".
bool PortNameBefore(const QString& a, const QString& b);

class SerialLink : public QObject {
 public:
  /// `kloon` and `ui` (which shows the engine's messages) must outlive the link.
  SerialLink(Kloon& kloon, Ui& ui, SerialLinkHooks hooks, QObject* parent = nullptr);
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

  Kloon& kloon_;
  Ui& ui_;
  SerialLinkHooks hooks_;
  QSerialPort port_;
  QTimer pacing_;
  QTimer close_;
  bool lost_reported_ = false;
};

}  // namespace talvirex
