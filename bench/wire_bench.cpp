// SPDX-License-Identifier: GPL-3.0-or-later
// Whole `talvirex read` and `talvirex send` processes, from their start to their exit, against the
// virtual scanner paced like a real 9600-baud line (`talvirex scanner --wire-baud 9600`, 11 bits a
// character). Each exchange carries 12 668 characters ("MDL", "SC200SPOR", 253 lines of 47 and
// their "OK" answers of 3, "END"): 14.52 s on the wire. A send adds its pacing, 254 pauses of
// 50 ms. The counters give the process time as a multiple of that minimum ("ratio").
//
// Slow by nature (about 15 s and 28 s an iteration): run them on their own with
// `talvirex_bench --benchmark_filter=Wire`.

#ifdef TALVIREX_BINARY

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/background_process.h"
#include "support/temp_dir.h"

extern char** environ;

namespace talvirex {
namespace {

constexpr double kWireSeconds = 12668 * 11.0 / 9600.0;
constexpr double kSendPacingSeconds = 254 * 0.050;

// Runs `talvirex args...` to its end; returns its exit status.
int RunProgram(std::vector<std::string> args) {
  args.insert(args.begin(), TALVIREX_BINARY);
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, TALVIREX_BINARY, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int raw = 0;
  if (spawned != 0 || waitpid(pid, &raw, 0) != pid) return -1;
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

void RunWirePaced(benchmark::State& state, const std::string& role, double minimum_seconds) {
  testing::TempDir home;
  ::setenv("TALVIREX_HOME", home.path().c_str(), 1);
  for (auto _ : state) {
    state.PauseTiming();
    // A master repeats "MDL" every 30 ms until answered, as a user would press the key again: the
    // wait for it after the port opens is at most that.
    std::vector<std::string> args = {"scanner", "--role",    role,   "--wire-baud",
                                     "9600",    "--timeout", "20000"};
    if (role == "master") args.insert(args.end(), {"--repeat", "30"});
    testing::BackgroundProcess scanner(TALVIREX_BINARY, args, home.path(), home / "scanner.err",
                                       true);
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    const int status = role == "master"
                           ? RunProgram({"read", "--port", scanner.first_line(), "--yes", "-o",
                                         (home / "read.s2c").string()})
                           : RunProgram({"send", TALVIREX_TEST_DATA "/codec/sample.s2c", "--port",
                                         scanner.first_line(), "--yes", "--pace", "50"});
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(seconds);
    state.counters["seconds"] = seconds;
    state.counters["ratio"] = seconds / minimum_seconds;
    if (status != 0) state.SkipWithError("the transfer did not complete");
  }
  state.counters["minimum_s"] = minimum_seconds;
}

void BM_WireReadProcess(benchmark::State& state) { RunWirePaced(state, "master", kWireSeconds); }
BENCHMARK(BM_WireReadProcess)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

void BM_WireSendProcess(benchmark::State& state) {
  RunWirePaced(state, "slave", kWireSeconds + kSendPacingSeconds);
}
BENCHMARK(BM_WireSendProcess)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
}  // namespace talvirex

#endif  // TALVIREX_BINARY
