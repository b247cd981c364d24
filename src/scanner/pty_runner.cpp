// SPDX-License-Identifier: GPL-3.0-or-later
#include "scanner/pty_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <utility>
#include <vector>

namespace talvirex::scanner {

namespace {

constexpr Millis kPollCapMs = 50;
constexpr Millis kHangUpGraceMs = 500;
constexpr Millis kHandOverMs = 10;

std::int64_t NowNanos() {
  using namespace std::chrono;
  return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

Millis Now() { return NowNanos() / 1'000'000; }

std::string SystemError(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

bool MakeRaw(int fd) {
  termios settings{};
  if (tcgetattr(fd, &settings) != 0) return false;
  cfmakeraw(&settings);
  // TCSANOW: a flush here would throw away bytes already on their way.
  return tcsetattr(fd, TCSANOW, &settings) == 0;
}

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

std::unique_ptr<PtyDevice> PtyDevice::Create(std::string& error) {
  std::unique_ptr<PtyDevice> device(new PtyDevice());
  device->master_fd_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (device->master_fd_ < 0) {
    error = SystemError("posix_openpt");
    return nullptr;
  }
  if (grantpt(device->master_fd_) != 0 || unlockpt(device->master_fd_) != 0) {
    error = SystemError("grantpt/unlockpt");
    return nullptr;
  }
  const char* name = ptsname(device->master_fd_);
  if (name == nullptr) {
    error = SystemError("ptsname");
    return nullptr;
  }
  device->path_ = name;
  device->slave_fd_ = ::open(name, O_RDWR | O_NOCTTY);
  if (device->slave_fd_ < 0 || !MakeRaw(device->slave_fd_) || !MakeRaw(device->master_fd_)) {
    error = SystemError(device->path_.c_str());
    return nullptr;
  }
  const int flags = fcntl(device->master_fd_, F_GETFL);
  if (flags < 0 || fcntl(device->master_fd_, F_SETFL, flags | O_NONBLOCK) != 0) {
    error = SystemError("fcntl");
    return nullptr;
  }
  return device;
}

PtyDevice::~PtyDevice() {
  HangUp();
  if (!link_.empty()) {
    std::error_code ignored;
    std::filesystem::remove(link_, ignored);
  }
}

bool PtyDevice::MakeLink(const std::string& link, std::string& error) {
  std::error_code code;
  const auto status = std::filesystem::symlink_status(link, code);
  if (std::filesystem::exists(status)) {
    if (!std::filesystem::is_symlink(status)) {
      error = link + ": exists and is not a symbolic link";
      return false;
    }
    std::filesystem::remove(link, code);
  }
  std::filesystem::create_symlink(path_, link, code);
  if (code) {
    error = link + ": " + code.message();
    return false;
  }
  link_ = link;
  return true;
}

int PtyDevice::UnreadByPeer() const {
  int count = 0;
  if (slave_fd_ < 0 || ioctl(slave_fd_, FIONREAD, &count) != 0) return 0;
  return count;
}

void PtyDevice::HangUp() {
  CloseFd(slave_fd_);
  CloseFd(master_fd_);
}

namespace {

// Carries a session's effects out on the device: keeps what the device would not take yet.
class Link {
 public:
  explicit Link(PtyDevice& device) : device_(device) {}

  // Returns false when the device failed.
  bool Apply(Effects effects) {
    for (std::string& bytes : effects.writes) {
      out_.push_back(std::move(bytes));
      activity_ = true;
    }
    if (!Flush()) return false;
    if (effects.hang_up) {
      // The last answer crosses before the cable is pulled, as it would on a real line.
      Drain(kHangUpGraceMs);
      device_.HangUp();
      hung_up_ = true;
    }
    return true;
  }

  // Waits up to `limit_ms` until everything is written and the program has read it.
  // The terminal hands written bytes to the device side a moment later, so the count of unread
  // bytes is looked at only after a short pause.
  void Drain(Millis limit_ms) {
    const Millis until = Now() + limit_ms;
    ::poll(nullptr, 0, static_cast<int>(std::min<Millis>(limit_ms, kHandOverMs)));
    while (Now() < until && (waiting_to_write() || device_.UnreadByPeer() > 0)) {
      if (!Flush()) return;
      ::poll(nullptr, 0, 2);
    }
  }

  // Writes each queued piece with its own call, so chunked messages leave as pieces.
  bool Flush() {
    while (!out_.empty() && !hung_up_) {
      std::string& piece = out_.front();
      const ssize_t written = ::write(device_.master_fd(), piece.data(), piece.size());
      if (written < 0) return errno == EAGAIN || errno == EINTR;
      piece.erase(0, static_cast<std::size_t>(written));
      if (piece.empty()) out_.erase(out_.begin());
    }
    return true;
  }

  bool waiting_to_write() const { return !out_.empty(); }
  bool hung_up() const { return hung_up_; }
  bool TakeActivity() { return std::exchange(activity_, false); }

 private:
  PtyDevice& device_;
  std::vector<std::string> out_;
  bool hung_up_ = false;
  bool activity_ = false;
};

}  // namespace

RunEnd RunSession(ScannerSession& session, PtyDevice& device, const RunOptions& options) {
  Link link(device);
  Millis last_activity = Now();
  // A paced session keeps the line's own time: when its last write went out late (a busy
  // machine), the program saw it that much later, and on a real line would have answered that
  // much sooner; the answer's arrival is taken back by the same amount.
  std::int64_t lateness_ns = 0;
  const auto apply = [&](Effects effects) {
    if (session.paced() && effects.last_due >= 0) {
      lateness_ns = std::max<std::int64_t>(0, NowNanos() - effects.last_due * 1'000'000);
    }
    return link.Apply(std::move(effects));
  };
  if (!apply(session.Start(Now()))) return RunEnd::kDeviceError;
  char buffer[4096];
  while (true) {
    if (link.hung_up()) return RunEnd::kFinished;
    if (session.outcome() != Outcome::kRunning) {
      // Gives the program time to take the last message before the device goes away.
      link.Drain(options.linger_ms);
      ::poll(nullptr, 0, static_cast<int>(std::min<Millis>(options.linger_ms, 100)));
      return RunEnd::kFinished;
    }
    if (options.should_stop && options.should_stop()) return RunEnd::kStopped;

    // Waits to the nanosecond: a session paced at the wire rate has something due every
    // millisecond or so, and a wait rounded to whole milliseconds would slow every message.
    const std::int64_t now_ns = NowNanos();
    std::int64_t wait_ns = kPollCapMs * 1'000'000;
    if (const Millis deadline = session.NextDeadline(); deadline >= 0) {
      wait_ns = std::clamp<std::int64_t>(deadline * 1'000'000 - now_ns, 0, wait_ns);
    }
    const timespec wait{static_cast<time_t>(wait_ns / 1'000'000'000),
                        static_cast<long>(wait_ns % 1'000'000'000)};
    pollfd watch{device.master_fd(),
                 static_cast<short>(POLLIN | (link.waiting_to_write() ? POLLOUT : 0)), 0};
    const int ready = ::ppoll(&watch, 1, &wait, nullptr);
    if (ready < 0 && errno != EINTR) return RunEnd::kDeviceError;

    if (ready > 0 && (watch.revents & POLLIN)) {
      const ssize_t count = ::read(device.master_fd(), buffer, sizeof buffer);
      if (count < 0 && errno != EAGAIN && errno != EINTR) return RunEnd::kDeviceError;
      if (count > 0) {
        last_activity = Now();
        const Millis arrived = (NowNanos() - lateness_ns) / 1'000'000;
        if (!apply(session.OnBytes(std::string_view(buffer, static_cast<std::size_t>(count)),
                                   arrived))) {
          return RunEnd::kDeviceError;
        }
      }
    } else if (ready > 0 && (watch.revents & (POLLERR | POLLNVAL))) {
      return RunEnd::kDeviceError;
    }
    if (!link.Flush() || !apply(session.OnTick(Now()))) return RunEnd::kDeviceError;
    if (link.TakeActivity()) last_activity = Now();
    if (options.idle_timeout_ms > 0 && Now() - last_activity > options.idle_timeout_ms) {
      return RunEnd::kIdleTimeout;
    }
  }
}

}  // namespace talvirex::scanner
