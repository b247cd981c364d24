// SPDX-License-Identifier: GPL-3.0-or-later
// The serial driver in-process: a transfer session on a real QSerialPort against the virtual
// scanner on a pseudo-terminal, with what the transfer window would show recorded.

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <QEventLoop>
#include <QTimer>
#include <future>

#include "document.h"
#include "platform/serial_link.h"
#include "scanner/pty_runner.h"
#include "support/fake_ports.h"
#include "support/qt_application.h"
#include "support/temp_dir.h"

namespace talvirex {
namespace {

using scanner::PtyDevice;
using scanner::Role;
using scanner::RunEnd;
using scanner::RunSession;
using scanner::ScannerSession;
using testing::ScriptedUi;
using testing::TestApplication;

scanner::RunOptions ScannerOptions() {
  scanner::RunOptions options;
  options.idle_timeout_ms = 10000;
  options.linger_ms = 300;
  return options;
}

scanner::Faults DisconnectAfter(int lines) {
  scanner::Faults faults;
  faults.disconnect_after = lines;
  return faults;
}

// What the transfer window would show.
struct Recorded final : TransferView {
  void ShowStatus(const std::string& text) override { statuses.push_back(text); }
  void TransferFinished(Outcome outcome) override {
    outcomes.push_back(outcome);
    if (loop != nullptr)
      QTimer::singleShot(50, loop, &QEventLoop::quit);  // time for a wrong second report
  }
  std::vector<std::string> statuses;
  std::vector<Outcome> outcomes;
  QEventLoop* loop = nullptr;
};

// Sends the default image on `port` until the send ends (or 20 s pass); returns what was shown.
Recorded RunSend(ScriptedUi& ui, const PortAddress& port) {
  TestApplication();
  Recorded seen;
  QEventLoop loop;
  seen.loop = &loop;
  testing::TempDir folder;
  testing::FakeClock clock;
  Document document;
  TransferSession session(document, KloonMode::kSend, 10, TransferFiles{folder.path(), clock}, ui,
                          seen);
  SerialLink link(session);
  QTimer::singleShot(0, &loop, [&] {
    link.Carry(session.kloon().Open());
    link.Carry(session.Start(port));
  });
  QTimer::singleShot(20000, &loop, &QEventLoop::quit);
  loop.exec();
  EXPECT_FALSE(link.port_open());
  seen.loop = nullptr;
  return seen;
}

TEST(SerialLink, AVanishedDeviceIsReportedOnceAsALostPort) {
  std::string error;
  auto device = PtyDevice::Create(error);
  ASSERT_TRUE(device) << error;
  ScannerSession session(Role::kSlave, DisconnectAfter(20), {});
  auto end = std::async(std::launch::async, [&] {
    const RunEnd run_end = RunSession(session, *device, ScannerOptions());
    device.reset();  // the cable is pulled: the device goes away altogether
    return run_end;
  });
  ScriptedUi ui;
  const Recorded seen = RunSend(ui, PortAddress{1, device->path()});
  end.get();
  EXPECT_EQ(seen.outcomes, std::vector<Outcome>{Outcome::kPortLost});
  EXPECT_EQ(seen.statuses.back(), "Comport lost. Operation cancelled.");
  EXPECT_EQ(session.received().size(), 20u);
}

// "END" is written and the port closed in one go at the end of a send; the close must not drop
// what the driver still queues. More than the terminal takes at once shows it.
TEST(SerialLink, ClosingThePortFirstWritesOutEverythingQueued) {
  TestApplication();
  std::string error;
  auto device = PtyDevice::Create(error);
  ASSERT_TRUE(device) << error;
  auto taken = std::async(std::launch::async, [&] {
    std::size_t count = 0;
    std::vector<char> buffer(1 << 16);
    pollfd watch{device->master_fd(), POLLIN, 0};
    // Up to 10 s for the first bytes, then until the line stays quiet for half a second.
    while (::poll(&watch, 1, count == 0 ? 10000 : 500) > 0) {
      const ssize_t n = ::read(device->master_fd(), buffer.data(), buffer.size());
      if (n <= 0) break;
      count += static_cast<std::size_t>(n);
    }
    return count;
  });
  testing::TempDir folder;
  testing::FakeClock clock;
  Document document;
  ScriptedUi ui;
  Recorded view;
  TransferSession session(document, KloonMode::kSend, 10, TransferFiles{folder.path(), clock}, ui,
                          view);
  SerialLink link(session);
  link.Carry(session.kloon().Open());
  link.Carry(session.Start(PortAddress{1, device->path()}));  // "MDL" is queued
  ASSERT_TRUE(link.port_open());
  const std::string bulk(512 * 1024, 'x');
  link.Carry({WriteText{bulk}, ClosePort{}});
  EXPECT_FALSE(link.port_open());
  EXPECT_EQ(taken.get(), 4 + bulk.size());
}

TEST(SerialLink, DeviceNamesAndTheirNaturalOrder) {
  TestApplication();
  EXPECT_EQ(SerialDeviceName(PortAddress{3, "/dev/ttyCable"}), QStringLiteral("/dev/ttyCable"));
  EXPECT_TRUE(SerialDeviceName(PortAddress{0, {}}).isEmpty());
  EXPECT_TRUE(SerialDeviceName(PortAddress{10000, {}}).isEmpty());
  QStringList names = {"ttyUSB10", "ttyS10", "ttyS2", "ttyACM0", "ttyUSB1", "ttyS", "ttyS0"};
  std::sort(names.begin(), names.end(), PortNameBefore);
  EXPECT_EQ(names,
            QStringList({"ttyACM0", "ttyS", "ttyS0", "ttyS2", "ttyS10", "ttyUSB1", "ttyUSB10"}));
}

}  // namespace
}  // namespace talvirex
