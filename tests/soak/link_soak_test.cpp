// The soak run of the clone link: hundreds of reads and sends, each under a random fault of the
// virtual scanner, through the program's own path: `ReadCommand`/`SendCommand` around the command
// line's transfer run, that is the `Kloon` engine on a QSerialPort (`SerialLink`), in this process
// so that its memory can be watched. The scanner runs on a real pseudo-terminal on a thread of its
// own; sends use the shortest pacing the program allows (10 ms).
//
// Every complete transfer must be byte-exact, every failed or cancelled one must report failure
// and leave the tables as they were, resident memory and open descriptors must stay flat, and no
// transfer may outlive its watchdog deadline.
//
// Replay: the seed is printed first. TALVIREX_SOAK_SEED=S repeats a run, TALVIREX_SOAK_ONLY=N runs
// transfer N of it alone, TALVIREX_SOAK_COUNT=C sets the number of reads and of sends (200 each).

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <thread>

#include "cli/command.h"
#include "cli/transfer_run.h"
#include "editor/grid_bridge.h"
#include "editor/file_commands.h"
#include "editor/clone_commands.h"
#include "image/decoders.h"
#include "support/fake_ports.h"
#include "support/running_scanner.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex {
namespace {

using Clock = std::chrono::steady_clock;
using testing::RunningScanner;

// Long enough for a chunked, delayed read or a 10 ms-paced send (about 3 s) under the sanitizers;
// a transfer that takes longer has hung.
constexpr auto kDeadline = std::chrono::seconds(60);
constexpr auto kGrace = std::chrono::seconds(15);  // after the watchdog's Ctrl+C
constexpr int kWarmUp = 20;                        // transfers before the first memory sample

// Growth of resident memory allowed between the warm-up sample and the end. One received image is
// 253 x 47 bytes (about 12 kB) and one transfer's trace about twice that; keeping either per
// transfer would add 4.5 to 9 MB over the 380 transfers after the warm-up. Allocator noise (the
// scanner thread's arena, Qt's pools) stays well under 1 MB once warm, so 4 MB catches a leak of
// a kilobytes-sized object per transfer without failing on noise.
constexpr long kRssGrowthLimitKb = 4 * 1024;

enum class Expect { kComplete, kFailure, kEither };

struct Plan {
  KloonMode mode = KloonMode::kRead;
  std::string fault;  // the fault's name in the summary
  std::string detail;  // its parameters, for the replay line
  scanner::Faults faults;
  int stop_after_ms = -1;  // Ctrl+C ("Stop") this long after the start; -1: never
  Expect expect = Expect::kComplete;
  int answer_timeout_ms = Kloon::kAnswerTimeoutMs;  // the program's wait before sending again
};

int Uniform(std::mt19937_64& rng, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(rng);
}

std::set<int> SomeLines(std::mt19937_64& rng, std::string& detail) {
  std::set<int> lines;
  for (int n = Uniform(rng, 1, 4); n > 0; --n) lines.insert(Uniform(rng, 1, scanner::kLineCount));
  for (const int line : lines) detail += (detail.empty() ? "" : ",") + std::to_string(line);
  return lines;
}

// One fault the scanner can show in the role the transfer gives it (master for a read, slave for
// a send). The 15-refusal limit is reached cheaply: a line refused every time is answered at once.
Plan Draw(KloonMode mode, std::mt19937_64& rng) {
  Plan plan;
  plan.mode = mode;
  const bool read = mode == KloonMode::kRead;
  const int kind = Uniform(rng, 0, read ? 7 : 9);
  auto& f = plan.faults;
  switch (read && kind == 7 ? 10 : kind) {
    case 0: plan.fault = "none"; break;
    case 1:
      plan.fault = read ? "corrupt once" : "refuse once";
      (read ? f.corrupt_once : f.refuse_once) = SomeLines(rng, plan.detail);
      break;
    case 2: plan.fault = "noise"; f.noise = true; break;
    case 3:
      plan.fault = "chunks";
      f.chunk = Uniform(rng, 8, 30);
      plan.detail = std::to_string(f.chunk);
      break;
    case 4:
      plan.fault = "delay";
      f.delay_ms = Uniform(rng, 1, 3);
      plan.detail = std::to_string(f.delay_ms);
      break;
    case 5:
      plan.fault = "disconnect";
      f.disconnect_after = Uniform(rng, 1, scanner::kLineCount - 1);
      plan.detail = std::to_string(f.disconnect_after);
      plan.expect = Expect::kFailure;
      break;
    case 6:
      plan.fault = "stop";
      plan.stop_after_ms = Uniform(rng, 1, read ? 300 : 3000);  // a read takes about 0.3 s
      plan.detail = std::to_string(plan.stop_after_ms);
      plan.expect = Expect::kEither;
      break;
    case 7:  // never detected; Stop ends the wait for a fitting model answer
      plan.fault = "wrong model";
      f.wrong_model = true;
      plan.stop_after_ms = Uniform(rng, 100, 600);
      plan.detail = std::to_string(plan.stop_after_ms);
      plan.expect = Expect::kFailure;
      break;
    case 9:
      // One line answered after the program's (shortened) wait: it went again, and the scanner
      // answers both copies unless the late answer beats the second copy. Either way a complete
      // send must have left the exact image, whichever way the scanner stores.
      plan.fault = "late answer";
      plan.answer_timeout_ms = 300;
      f.late_line = Uniform(rng, 1, scanner::kLineCount);
      f.late_by_ms = Uniform(rng, 301, 500);
      f.store_by_arrival = Uniform(rng, 0, 1) == 1;
      plan.detail = std::to_string(f.late_line) + " by " + std::to_string(f.late_by_ms) +
                    (f.store_by_arrival ? " by arrival" : " by address");
      plan.expect = Expect::kEither;
      break;
    case 10:
      plan.fault = "lost OK";
      f.lose_ok_once = SomeLines(rng, plan.detail);
      break;
    default:
      plan.fault = "refuse always";
      f.refuse_always = SomeLines(rng, plan.detail);
      plan.expect = Expect::kFailure;
      break;
  }
  return plan;
}

std::vector<std::string> RandomImage(std::mt19937_64& rng) {
  std::vector<std::string> lines;
  for (int index = 1; index <= scanner::kLineCount; ++index) {
    std::string bytes(16, '\0');
    for (char& byte : bytes) byte = static_cast<char>(Uniform(rng, 0, 255));
    lines.push_back(scanner::MakeLine(index, bytes));
  }
  return lines;
}

// The last lines of a transfer's log, for a failure message.
std::string Tail(const std::string& log) {
  std::size_t start = log.size();
  for (int lines = 0; lines < 12 && start > 0 && start != std::string::npos; ++lines) {
    start = log.rfind('\n', start - 1);
  }
  return start == std::string::npos ? log : log.substr(start);
}

std::vector<std::string> ImageLines(const CloneImage& image) {
  return {image.lines.begin() + 1, image.lines.begin() + 1 + kCloneLineCount};
}

// What a transfer must never touch unless a read completes.
struct Tables {
  explicit Tables(const Workspace& ws)
      : table(ws.table), bank_names(ws.bank_names), priority(ws.priority),
        settings(ws.scanner_settings), search_range(ws.search_range) {}
  ChannelTable table;
  std::array<std::string, 12> bank_names;
  std::array<int, 11> priority;
  std::array<int, 21> settings;
  std::array<std::string, 3> search_range;
};

// The first difference, or "" when the two are equal.
std::string Difference(const Tables& a, const Tables& b) {
  for (int bank = 0; bank < kBankSlots; ++bank) {
    for (int row = 0; row < kRows; ++row) {
      for (int field = 0; field < kFields; ++field) {
        if (a.table.At(bank, row, field) != b.table.At(bank, row, field)) {
          return "table(" + std::to_string(bank) + "," + std::to_string(row) + "," +
                 std::to_string(field) + "): '" + a.table.At(bank, row, field) + "' vs '" +
                 b.table.At(bank, row, field) + "'";
        }
      }
    }
  }
  if (a.bank_names != b.bank_names) return "bank names";
  if (a.priority != b.priority) return "priority channels";
  if (a.settings != b.settings) return "scanner settings";
  if (a.search_range != b.search_range) return "search range";
  return "";
}

// Fresh random tables, one bank of them shown in the grid.
void FillTables(Workspace& ws, std::mt19937_64& rng, Ui& ui) {
  const auto lines = RandomImage(rng);
  std::copy(lines.begin(), lines.end(), ws.clone_image.lines.begin() + 1);
  filter_image(ws, ui);
  ws.current_bank = Uniform(rng, 0, kDummyBank);
  RenderBank(ws, ui);
}

long ProcStatusKb(const char* key) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with(key)) return std::atol(line.c_str() + std::strlen(key));
  }
  return -1;
}

long OpenDescriptors() {
  const auto fds = std::filesystem::directory_iterator("/proc/self/fd");
  return std::distance(std::filesystem::begin(fds), std::filesystem::end(fds));
}

// Ends a transfer that overruns its deadline as Ctrl+C would ("Stop"), and the whole run when even
// that does not end it.
class Watchdog {
 public:
  Watchdog() : thread_([this] { Watch(); }) {}
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  void Arm(std::string what) {
    std::lock_guard lock(mutex_);
    what_ = std::move(what);
    deadline_ = Clock::now() + kDeadline;
    armed_ = true;
    fired_ = false;
    wake_.notify_all();
  }
  /// True when the deadline passed.
  bool Disarm() {
    std::lock_guard lock(mutex_);
    armed_ = false;
    return fired_;
  }

 private:
  void Watch() {
    std::unique_lock lock(mutex_);
    while (!quit_) {
      if (!armed_ || Clock::now() < deadline_) {
        if (armed_) {
          wake_.wait_until(lock, deadline_);
        } else {
          wake_.wait(lock);
        }
        continue;
      }
      if (fired_) {
        std::fprintf(stderr, "soak: %s still runs after Ctrl+C; giving up\n", what_.c_str());
        std::_Exit(EXIT_FAILURE);
      }
      std::fprintf(stderr, "soak: %s did not end in time; stopping it\n", what_.c_str());
      fired_ = true;
      deadline_ = Clock::now() + kGrace;
      ::kill(::getpid(), SIGINT);
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  bool quit_ = false;
  bool armed_ = false;
  bool fired_ = false;
  std::string what_;
  Clock::time_point deadline_;
  std::thread thread_;
};

extern "C" void IgnoreInterrupt(int) {}

std::uint64_t SeedOfRun() {
  if (const char* text = std::getenv("TALVIREX_SOAK_SEED")) return std::strtoull(text, nullptr, 10);
  return std::random_device{}() * 0x100000000ull + std::random_device{}();
}

int EnvInt(const char* name, int fallback) {
  const char* text = std::getenv(name);
  return text != nullptr ? std::atoi(text) : fallback;
}

class LinkSoak : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("TALVIREX_HOME", home_.path().c_str(), 1);
    // A Ctrl+C from the watchdog that arrives between transfers must not end the run.
    previous_ = ::signal(SIGINT, IgnoreInterrupt);
  }
  void TearDown() override { ::signal(SIGINT, previous_); }

  // Runs one transfer as the program does and checks its result; returns the outcome's name.
  std::string Transfer(const Plan& plan, std::mt19937_64& rng, const std::string& what) {
    testing::ScriptedUi ui;
    FillTables(workspace_, rng, ui);
    const bool read = plan.mode == KloonMode::kRead;
    const auto scanner_image = RandomImage(rng);
    RunningScanner run(read ? scanner::Role::kMaster : scanner::Role::kSlave, plan.faults,
                       scanner_image, {.mdl_repeat_ms = 100});
    if (!run.ready()) return "no pseudo-terminal";
    run.Start(30000, 500);

    std::istringstream in;
    std::ostringstream out, err;
    cli::CommandContext context{{}, in, out, err};
    cli::TransferRequest request;
    request.mode = plan.mode;
    request.port = PortAddress{1, run.device().path()};
    request.pacing_ms = PortSetup::kMinPacingMs;
    request.answer_timeout_ms = plan.answer_timeout_ms;
    request.assume_yes = true;
    QTimer stop;
    stop.setSingleShot(true);
    QObject::connect(&stop, &QTimer::timeout, [] { ::raise(SIGINT); });
    if (plan.stop_after_ms >= 0) stop.start(plan.stop_after_ms);

    testing::FakeClock clock;
    FileCommands files(workspace_, ui, clock, home_.path());
    int status = -1;
    // The commands prepare the tables (and a send its image) before their window opens; from
    // then on only a complete read may change them.
    std::optional<Tables> before, after_read;
    std::vector<std::string> prepared;  // the image when the window opens: what a send delivers
    const auto window = [&] {
      before.emplace(workspace_);
      prepared = ImageLines(workspace_.clone_image);
      if (read) {
        Workspace decoded = workspace_;
        auto& lines = decoded.clone_image.lines;
        std::copy(scanner_image.begin(), scanner_image.end(), lines.begin() + 1);
        filter_image(decoded, ui);
        after_read.emplace(decoded);
      }
      status = cli::RunTransfer(context, workspace_, request);
    };
    watchdog_.Arm(what);
    if (read) {
      ReadCommand(workspace_, ui, files, window);
    } else {
      SendCommand(workspace_, ui, window);
    }
    EXPECT_FALSE(watchdog_.Disarm()) << what << ": hung\n" << Tail(err.str());
    if (status != cli::kExitOk) run.Stop();
    run.Wait();

    if (!before) {
      ADD_FAILURE() << what << ": the transfer window never opened";
      return "not started";
    }
    const bool complete = status == cli::kExitOk;
    const std::string log = Tail(err.str());
    EXPECT_TRUE(plan.expect == Expect::kEither ||
                complete == (plan.expect == Expect::kComplete))
        << what << ": exit status " << status << '\n' << log;
    // Only a complete read changes the tables; a send leaves them and its image as prepared.
    EXPECT_EQ(Difference(Tables(workspace_), complete && read ? *after_read : *before), "")
        << what << '\n' << log;
    if (read && complete) {
      EXPECT_EQ(ImageLines(workspace_.clone_image), scanner_image) << what;
    }
    if (!read) {
      EXPECT_EQ(ImageLines(workspace_.clone_image), prepared) << what;
      // The scanner takes a send as complete at "END", which follows the last "OK" only.
      EXPECT_EQ(run.session().outcome() == scanner::Outcome::kComplete, complete) << what;
      if (complete) {
        EXPECT_EQ(run.session().received(), prepared) << what;
      }
    }
    if (!complete) {
      EXPECT_TRUE(status == cli::kExitIncomplete || status == cli::kExitInterrupted)
          << what << ": exit status " << status;
      const char* success = read ? "Backup status: OK." : "Restore finished.";
      EXPECT_EQ(err.str().find(success), std::string::npos)
          << what << '\n' << log;
    }
    if (complete) return "complete";
    if (status == cli::kExitInterrupted) return "cancelled";
    if (err.str().find("Comport lost.") != std::string::npos) return "port lost";
    return "failed";
  }

  testing::TempDir home_;
  Workspace workspace_;  // one for the whole run, as the desktop program keeps one
  Watchdog watchdog_;
  sighandler_t previous_ = SIG_DFL;
};

TEST_F(LinkSoak, ReadsAndSendsUnderRandomFaultsStayExactFlatAndLive) {
  static int argc = 1;
  static char name[] = "soak_tests";
  static char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);

  const std::uint64_t seed = SeedOfRun();
  const int count = EnvInt("TALVIREX_SOAK_COUNT", 200);
  const int only = EnvInt("TALVIREX_SOAK_ONLY", -1);
  std::printf("soak: seed %llu, %d reads and %d sends (replay: TALVIREX_SOAK_SEED=%llu)\n",
              static_cast<unsigned long long>(seed), count, count,
              static_cast<unsigned long long>(seed));
  std::map<std::string, std::map<std::string, int>> tally;  // "read: fault" -> outcome -> count
  long warm_rss = -1, warm_fds = -1;
  const auto start = Clock::now();

  for (int n = 0; n < 2 * count; ++n) {
    if (only >= 0 && n != only) continue;
    std::seed_seq seeds{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32),
                        static_cast<std::uint32_t>(n)};
    std::mt19937_64 rng(seeds);
    const Plan plan = Draw(n % 2 == 0 ? KloonMode::kRead : KloonMode::kSend, rng);
    const std::string kind = plan.mode == KloonMode::kRead ? "read" : "send";
    const std::string what =
        "transfer " + std::to_string(n) + " (" + kind + ", " + plan.fault +
        (plan.detail.empty() ? "" : " " + plan.detail) + "; TALVIREX_SOAK_SEED=" +
        std::to_string(seed) + " TALVIREX_SOAK_ONLY=" + std::to_string(n) + ")";
    ++tally[kind + ": " + plan.fault][Transfer(plan, rng, what)];
    if (n + 1 == kWarmUp) {
      warm_rss = ProcStatusKb("VmRSS:");
      warm_fds = OpenDescriptors();
    }
  }

  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  for (const auto& [fault, outcomes] : tally) {
    std::printf("soak: %-22s", fault.c_str());
    for (const auto& [outcome, times] : outcomes) std::printf(" %s %d", outcome.c_str(), times);
    std::printf("\n");
  }
  const long end_rss = ProcStatusKb("VmRSS:");
  const long end_fds = OpenDescriptors();
  std::printf("soak: %.1f s; resident memory %ld kB after %d transfers, %ld kB at the end "
              "(peak %ld kB); descriptors %ld, then %ld\n",
              seconds, warm_rss, kWarmUp, end_rss, ProcStatusKb("VmHWM:"), warm_fds, end_fds);
  if (warm_rss < 0) return;  // too short a run to compare
  EXPECT_LE(end_fds, warm_fds);
#if defined(__SANITIZE_ADDRESS__)
  // AddressSanitizer holds freed memory in its quarantine (up to 256 MB), so resident memory grows
  // by design; LeakSanitizer checks for leaks at exit instead.
#else
  EXPECT_LE(end_rss - warm_rss, kRssGrowthLimitKb);
#endif
}

}  // namespace
}  // namespace talvirex
