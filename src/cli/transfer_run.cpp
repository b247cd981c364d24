// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/transfer_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <charconv>
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/command_io.h"
#include "files/file_io.h"
#include "link/transfer_session.h"
#include "platform/serial_link.h"
#include "ports/clock.h"
#include "ports/ui.h"
#include "settings/program_folder.h"
#include "settings/registry_store.h"

namespace talvirex::cli {

namespace {

std::optional<int> WholeNumber(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

// The write end of the Ctrl+C self-pipe. A signal handler can reach nothing but process-wide
// state, so this one descriptor is the exception to keeping state in objects; it is set only while
// a transfer runs.
volatile sig_atomic_t interrupt_pipe = -1;

extern "C" void OnInterrupt(int) {
  const int fd = interrupt_pipe;
  if (fd >= 0) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(fd, &byte, 1);
  }
}

// Ctrl+C while a transfer runs: a byte on a pipe that the event loop (and the wait for Enter)
// watches. The previous handling of SIGINT comes back on destruction.
class InterruptPipe {
 public:
  InterruptPipe() {
    if (::pipe(fds_) != 0) return;
    for (const int fd : fds_) {
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
      ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    interrupt_pipe = fds_[1];
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &previous_);
  }
  ~InterruptPipe() {
    if (fds_[0] < 0) return;
    ::sigaction(SIGINT, &previous_, nullptr);
    interrupt_pipe = -1;
    ::close(fds_[0]);
    ::close(fds_[1]);
  }
  InterruptPipe(const InterruptPipe&) = delete;
  InterruptPipe& operator=(const InterruptPipe&) = delete;

  int read_fd() const { return fds_[0]; }
  void Drain() const {
    char bytes[16];
    while (::read(fds_[0], bytes, sizeof bytes) > 0) {
    }
  }

 private:
  int fds_[2] = {-1, -1};
  struct sigaction previous_ {};
};

// The engine's texts on the error stream: every status text and message as a line, or, when the
// stream is a terminal, a progress bar redrawn in place that carries the status text.
class TransferScreen final : public TransferView {
 public:
  TransferScreen(std::ostream& err, bool terminal, QEventLoop& loop)
      : err_(err), terminal_(terminal), loop_(loop) {}

  void ShowStatus(const std::string& text) override {
    status_ = text;
    if (terminal_) return Redraw();
    err_ << text << '\n' << std::flush;
  }
  void ShowProgress(const SetProgress& progress) override {
    progress_ = progress;
    if (terminal_) Redraw();
  }
  void ShowRejectedCount(std::optional<int> count) override {
    rejected_ = count.value_or(0);
    if (terminal_) return Redraw();
    if (count) err_ << "Rejected lines: " << *count << '\n' << std::flush;
  }
  void ShowDetected(bool detected) override {
    if (!terminal_ && detected) err_ << "Detected: Yes\n" << std::flush;
  }
  void TransferFinished(Outcome /*outcome*/) override { loop_.quit(); }
  /// A message box's text, its lines on lines of their own.
  void Message(const std::string& text) {
    EndBar();
    for (const char c : text) {
      if (c != '\r') err_ << c;
    }
    err_ << '\n' << std::flush;
  }
  void Prompt(const std::string& text) {
    EndBar();
    err_ << text << std::flush;
  }
  /// Leaves the bar's last state on the screen.
  void EndBar() {
    if (!bar_shown_) return;
    err_ << '\n' << std::flush;
    bar_shown_ = false;
  }

 private:
  void Redraw() {
    constexpr int kWidth = 30;
    const int filled = std::clamp(progress_.percent, 0, 100) * kWidth / 100;
    std::string line = "\r[" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(kWidth - filled), ' ') + "] " +
                       std::to_string(progress_.percent) + "% line " +
                       std::to_string(progress_.line_counter);
    if (rejected_ > 0) line += ", rejected " + std::to_string(rejected_);
    line += "  " + status_ + "\x1b[K";
    err_ << line << std::flush;
    bar_shown_ = true;
  }

  std::ostream& err_;
  bool terminal_;
  QEventLoop& loop_;
  bool bar_shown_ = false;
  std::string status_;
  SetProgress progress_;
  int rejected_ = 0;
};

// The engine's message boxes. The first one shown while the port is open is the scanner
// instructions: the user answers it with Enter once the scanner is ready.
class TransferUi final : public Ui {
 public:
  TransferUi(TransferScreen& screen, const InterruptPipe& interrupt, bool assume_yes)
      : screen_(screen), interrupt_(interrupt), assume_yes_(assume_yes) {}

  void Attach(const SerialLink& link) { link_ = &link; }
  bool input_ended() const { return input_ended_; }

  Answer Ask(const talvirex::Message& message) override {
    screen_.Message(message.text);
    if (!assume_yes_ && !instructions_done_ && link_ != nullptr && link_->port_open()) {
      instructions_done_ = true;
      WaitForEnter();
    }
    return message.buttons == Buttons::kYesNo || message.buttons == Buttons::kYesNoCancel
               ? Answer::kNo
               : Answer::kOk;
  }
  std::optional<std::string> OpenFile(const FileDialog&) override { return std::nullopt; }
  std::optional<std::string> SaveFile(const FileDialog&) override { return std::nullopt; }

 private:
  // Returns on a line from standard input, at its end, or on Ctrl+C (whose byte stays in the pipe
  // for the event loop to act on).
  void WaitForEnter() {
    screen_.Prompt("Press Enter when the scanner is ready (Ctrl+C stops).\n");
    pollfd watch[2] = {{STDIN_FILENO, POLLIN, 0}, {interrupt_.read_fd(), POLLIN, 0}};
    while (true) {
      if (::poll(watch, 2, -1) < 0) continue;  // EINTR: the handler has written its byte
      if (watch[1].revents != 0) return;
      if (watch[0].revents == 0) continue;
      char c = 0;
      const ssize_t count = ::read(STDIN_FILENO, &c, 1);
      if (count <= 0) {
        input_ended_ = true;
        return;
      }
      if (c == '\n') return;
    }
  }

  TransferScreen& screen_;
  const InterruptPipe& interrupt_;
  bool assume_yes_;
  const SerialLink* link_ = nullptr;
  bool instructions_done_ = false;
  bool input_ended_ = false;
};

}  // namespace

std::optional<PortAddress> ParsePortOption(const std::string& text) {
  if (IsDevicePath(text)) return PortAddress{PortSetup::kMinPort, text};
  const auto number = WholeNumber(text);
  if (!number) return std::nullopt;
  return PortAddress{*number, {}};
}

std::optional<int> PacingInterval(const std::optional<std::string>& option,
                                  const std::filesystem::path& program_folder) {
  const ReadResult stored = ReadWholeFile(RegistryStorePath(program_folder), 1 << 20);
  PortSetup setup = PortSetup::Load(RegistryStore::Parse(stored.bytes.value_or("")));
  if (option) {
    const auto value = WholeNumber(*option);
    if (!value) return std::nullopt;
    setup.SetPacing(*value);
  }
  return setup.pacing_ms();
}

int RunTransfer(CommandContext& context, Document& document, const TransferRequest& request) {
  const std::unique_ptr<QCoreApplication> application = ApplicationIfNone();
  SystemClock clock;
  InterruptPipe interrupt;
  QEventLoop loop;
  TransferScreen screen(context.err, ::isatty(STDERR_FILENO) == 1, loop);
  TransferUi ui(screen, interrupt, request.assume_yes);
  TransferSession session(document, request.mode, request.pacing_ms,
                          TransferFiles{ProgramFolder(), clock}, ui, screen,
                          request.answer_timeout_ms);
  SerialLink link(session);
  ui.Attach(link);
  bool interrupted = false;

  const auto stop = [&] {
    link.Carry(session.kloon().Stop());
    loop.quit();
  };
  QSocketNotifier on_interrupt(interrupt.read_fd(), QSocketNotifier::Read);
  QObject::connect(&on_interrupt, &QSocketNotifier::activated, &loop, [&] {
    interrupt.Drain();
    interrupted = true;
    stop();
  });
  QTimer::singleShot(0, &loop, [&] {
    link.Carry(session.kloon().Open());
    link.Carry(session.Start(request.port));
    if (ui.input_ended() && !session.outcome()) {
      screen.Message("Standard input ended before Enter was pressed; nothing is transferred.");
      stop();
    }
  });
  loop.exec();
  if (!session.outcome() && !interrupted)
    stop();  // the loop ended some other way: leave the port closed
  screen.EndBar();
  session.Finish();
  if (request.trace_path && !WriteTrace(session.trace(), *request.trace_path)) {
    screen.Message("The trace could not be saved: " + *request.trace_path);
  }
  if (interrupted) return kExitInterrupted;
  return session.outcome() == Outcome::kComplete ? kExitOk : kExitIncomplete;
}

}  // namespace talvirex::cli
