// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One window per user and program folder. The first start listens on a local socket named after
// the user and the folder; a later start (a double-click in the file manager while the program
// runs, or `talvirex FILE`) hands its request to that window and exits. So two processes never
// write the same "setup.ini", "lastused.sav" or backups at once.

#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>

class QLocalServer;

namespace talvirex {

/// The local socket's name for `program_folder`: in the user's runtime folder when the desktop
/// gives one (only the user may enter it), else the temporary folder's name with the user's id.
QString InstanceServerName(const std::filesystem::path& program_folder);

class SingleInstance final : public QObject {
  Q_OBJECT

 public:
  enum class Start {
    kFirst,        // no window runs for this folder: this process is the one
    kHandedOver,   // a running window took the request: this process ends
    kUnreachable,  // a window runs but does not answer: this process must not start another
  };

  explicit SingleInstance(const std::filesystem::path& program_folder, QObject* parent = nullptr);
  ~SingleInstance() override;

  /// Becomes the folder's one window, or hands `file` (absolute; empty: only "come to the
  /// front") to the window that already is.
  Start Claim(const QString& file);
  /// Each request a later start hands over: the file to open, or empty.
  void OnRequest(std::function<void(const QString& file)> handler) {
    handler_ = std::move(handler);
  }

  QString server_name() const { return name_; }

 private:
  bool Listen();
  Start HandOver(const QString& file);
  void Serve();

  QString name_;
  QLocalServer* server_ = nullptr;
  std::function<void(const QString&)> handler_;
};

}  // namespace talvirex
