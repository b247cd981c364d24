// The real QSerialPort against the virtual scanner on a pseudo-terminal: the line settings of the
// clone cable are accepted and whole exchanges go through in both directions.

#include <gtest/gtest.h>

#include <QSerialPort>
#include <future>

#include "scanner/clone_lines.h"
#include "scanner/pty_runner.h"

namespace talvirex {
namespace {

using namespace talvirex::scanner;

// Opens `path` as the program does: 9600 baud, no parity, 8 data bits, 2 stop bits.
bool OpenLikeTheProgram(QSerialPort& port, const std::string& path) {
  port.setPortName(QString::fromStdString(path));
  return port.open(QIODevice::ReadWrite) && port.setBaudRate(9600) &&
         port.setDataBits(QSerialPort::Data8) && port.setParity(QSerialPort::NoParity) &&
         port.setStopBits(QSerialPort::TwoStop);
}

// The next CR-ended message, or nothing after two seconds of silence.
std::optional<std::string> Receive(QSerialPort& port, std::string& buffer) {
  while (buffer.find('\r') == std::string::npos) {
    if (!port.waitForReadyRead(2000)) return std::nullopt;
    buffer += port.readAll().toStdString();
  }
  const auto end = buffer.find('\r');
  std::string message = buffer.substr(0, end);
  buffer.erase(0, end + 1);
  return message;
}

void Send(QSerialPort& port, const std::string& message) {
  port.write(QByteArray::fromStdString(message + '\r'));
  port.waitForBytesWritten(1000);
}

struct Running {
  explicit Running(Role role, Faults faults = {})
      : session(role, std::move(faults), DefaultImageLines(), {.mdl_repeat_ms = 100}) {
    std::string error;
    device = PtyDevice::Create(error);
  }
  void Start() {
    end = std::async(std::launch::async, [this] {
      RunOptions options;
      options.idle_timeout_ms = 3000;
      options.linger_ms = 300;
      return RunSession(session, *device, options);
    });
  }
  ScannerSession session;
  std::unique_ptr<PtyDevice> device;
  std::future<RunEnd> end;
};

TEST(SerialPortScanner, ReadsTheWholeMemoryOfAMasterScanner) {
  Running scanner(Role::kMaster, Faults{.noise = true, .chunk = 24});
  ASSERT_NE(scanner.device, nullptr);
  QSerialPort port;
  ASSERT_TRUE(OpenLikeTheProgram(port, scanner.device->path())) << port.errorString().toStdString();
  port.clear();  // what came before the port was opened is not part of this read
  scanner.Start();
  std::string buffer;
  std::vector<std::string> lines;
  bool answered = false;
  while (auto message = Receive(port, buffer)) {
    if (*message == "MDL" && !answered) {
      Send(port, "SC200SPOR");
      answered = true;
    } else if (message->starts_with("CLN")) {
      lines.push_back(*message);
      Send(port, "OK");
    } else if (*message == "END") {
      break;
    }
  }
  EXPECT_EQ(lines, DefaultImageLines());
  EXPECT_EQ(scanner.end.get(), RunEnd::kFinished);
  EXPECT_EQ(scanner.session.outcome(), Outcome::kComplete);
}

TEST(SerialPortScanner, SendsAWholeImageToASlaveScanner) {
  Running scanner(Role::kSlave, Faults{.refuse_once = {7}});
  ASSERT_NE(scanner.device, nullptr);
  QSerialPort port;
  ASSERT_TRUE(OpenLikeTheProgram(port, scanner.device->path()));
  scanner.Start();
  std::string buffer;
  Send(port, "MDL");
  EXPECT_EQ(Receive(port, buffer), "SC200SPOR");
  int refused = 0;
  for (const std::string& line : DefaultImageLines()) {
    std::optional<std::string> answer;
    do {
      Send(port, line);
      answer = Receive(port, buffer);
      refused += answer == "NG";
    } while (answer == "NG");
    ASSERT_EQ(answer, "OK");
  }
  Send(port, "END");
  EXPECT_EQ(refused, 1);
  EXPECT_EQ(scanner.end.get(), RunEnd::kFinished);
  EXPECT_EQ(scanner.session.received(), DefaultImageLines());
}

}  // namespace
}  // namespace talvirex
