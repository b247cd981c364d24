// SPDX-License-Identifier: GPL-3.0-or-later
// talvirex scanner --role master|slave [options]: the virtual scanner on a pseudo-terminal, so the
// program can be tried (and tested) without a scanner and a cable.

#include <signal.h>

#include <charconv>
#include <functional>
#include <iostream>
#include <optional>
#include <ostream>
#include <set>
#include <tuple>

#include "cli/arguments.h"
#include "cli/command.h"
#include "files/file_io.h"
#include "scanner/clone_lines.h"
#include "scanner/pty_runner.h"
#include "scanner/scanner_session.h"

namespace talvirex::cli {

namespace {

using scanner::Faults;
using scanner::Role;

std::optional<long> ParseNumber(const std::string& text, long low, long high) {
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

// "3,17,200" -> {3, 17, 200}; each a line number 1..253.
std::optional<std::set<int>> ParseLineList(const std::string& text) {
  std::set<int> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(',', start);
    if (end == std::string::npos) end = text.size();
    const auto line = ParseNumber(text.substr(start, end - start), 1, scanner::kLineCount);
    if (!line) return std::nullopt;
    lines.insert(static_cast<int>(*line));
    start = end + 1;
  }
  return lines;
}

struct Setup {
  Role role = Role::kSlave;
  Faults faults;
  scanner::Timing timing;
  std::optional<std::string> image_path, out_path, link;
  scanner::Millis idle_timeout_ms = 0;
};

// The options that make sense for one role only; returns the first one given for the other role.
std::string RoleMismatch(const Arguments& args, Role role) {
  if (role == Role::kMaster) {
    for (const char* option : {"--refuse", "--refuse-always", "--wrong-model", "--out", "--late",
                               "--late-by", "--store"}) {
      if (args.Value(option) || args.Has(option))
        return std::string(option) + " is for --role slave";
    }
  } else {
    for (const char* option : {"--corrupt", "--image", "--repeat", "--lose-ok"}) {
      if (args.Value(option)) return std::string(option) + " is for --role master";
    }
  }
  return {};
}

std::string ReadLineLists(const Arguments& args, Faults& faults) {
  const std::pair<const char*, std::set<int>*> lists[] = {
      {"--refuse", &faults.refuse_once},
      {"--refuse-always", &faults.refuse_always},
      {"--corrupt", &faults.corrupt_once},
      {"--lose-ok", &faults.lose_ok_once}};
  for (const auto& [option, target] : lists) {
    if (const auto text = args.Value(option)) {
      const auto lines = ParseLineList(*text);
      if (!lines) return std::string(option) + " takes line numbers 1..253 separated by commas";
      *target = *lines;
    }
  }
  return {};
}

std::string ReadNumbers(const Arguments& args, Setup& setup) {
  const std::tuple<const char*, long, long, std::function<void(long)>> numbers[] = {
      {"--chunk", 1, 4096, [&](long v) { setup.faults.chunk = static_cast<int>(v); }},
      {"--delay", 0, 60000, [&](long v) { setup.faults.delay_ms = static_cast<int>(v); }},
      {"--disconnect-after", 0, scanner::kLineCount,
       [&](long v) { setup.faults.disconnect_after = static_cast<int>(v); }},
      {"--repeat", 0, 60000, [&](long v) { setup.timing.mdl_repeat_ms = v; }},
      {"--late", 1, scanner::kLineCount,
       [&](long v) { setup.faults.late_line = static_cast<int>(v); }},
      {"--late-by", 0, 60000, [&](long v) { setup.faults.late_by_ms = static_cast<int>(v); }},
      {"--wire-baud", 0, 115200, [&](long v) { setup.timing.wire_baud = static_cast<int>(v); }},
      {"--timeout", 0, 86400000, [&](long v) { setup.idle_timeout_ms = v; }}};
  for (const auto& [option, low, high, store] : numbers) {
    if (const auto text = args.Value(option)) {
      const auto value = ParseNumber(*text, low, high);
      if (!value) {
        return std::string(option) + " takes a number " + std::to_string(low) + ".." +
               std::to_string(high);
      }
      store(*value);
    }
  }
  return {};
}

// Fills `setup` from the arguments; returns the usage problem, empty when there is none.
std::string ReadSetup(const Arguments& args, Setup& setup) {
  const auto role = args.Value("--role");
  if (!role || (*role != "master" && *role != "slave")) return "need --role master or --role slave";
  setup.role = *role == "master" ? Role::kMaster : Role::kSlave;
  std::string problem = RoleMismatch(args, setup.role);
  if (problem.empty()) problem = ReadLineLists(args, setup.faults);
  if (problem.empty()) problem = ReadNumbers(args, setup);
  setup.faults.wrong_model = args.Has("--wrong-model");
  setup.faults.noise = args.Has("--noise");
  if (const auto store = args.Value("--store")) {
    if (*store != "arrival" && *store != "address") {
      if (problem.empty()) problem = "--store takes arrival or address";
    }
    setup.faults.store_by_arrival = *store == "arrival";
  }
  setup.image_path = args.Value("--image");
  setup.out_path = args.Value("--out");
  setup.link = args.Value("--link");
  return problem;
}

// Ctrl+C and termination requests are held back and polled, so the device and its link are
// always cleaned up.
class HeldSignals {
 public:
  HeldSignals() {
    sigemptyset(&held_);
    sigaddset(&held_, SIGINT);
    sigaddset(&held_, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &held_, &previous_);
  }
  ~HeldSignals() {
    timespec none{};
    while (Pending()) sigtimedwait(&held_, nullptr, &none);
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  bool Pending() const {
    sigset_t pending;
    sigpending(&pending);
    return sigismember(&pending, SIGINT) == 1 || sigismember(&pending, SIGTERM) == 1;
  }

 private:
  sigset_t held_{}, previous_{};
};

int Report(const scanner::ScannerSession& session, scanner::RunEnd end, std::ostream& err) {
  const auto& counters = session.counters();
  err << "talvirex scanner: " << counters.lines_done << " lines acknowledged, " << counters.refused
      << " refused, " << counters.resent_on_timeout << " sent again for want of an answer, "
      << counters.noise << " meaningless messages dropped\n";
  if (counters.overflow > 0) {
    err << "talvirex scanner: " << counters.overflow << " lines beyond the 253rd dropped\n";
  }
  switch (end) {
    case scanner::RunEnd::kStopped: err << "talvirex scanner: stopped\n"; return kExitInterrupted;
    case scanner::RunEnd::kIdleTimeout:
      err << "talvirex scanner: the link stayed idle too long\n";
      return kExitIncomplete;
    case scanner::RunEnd::kDeviceError:
      err << "talvirex scanner: the pseudo-terminal failed\n";
      return kExitIncomplete;
    case scanner::RunEnd::kFinished: break;
  }
  switch (session.outcome()) {
    case scanner::Outcome::kComplete:
      err << "talvirex scanner: exchange complete\n";
      return kExitOk;
    case scanner::Outcome::kDisconnected:
      err << "talvirex scanner: link dropped as asked\n";
      return kExitIncomplete;
    default:
      err << "talvirex scanner: exchange failed: " << session.failure() << '\n';
      return kExitIncomplete;
  }
}

std::optional<std::vector<std::string>> LoadImage(const Setup& setup, std::ostream& err) {
  if (!setup.image_path) return scanner::DefaultImageLines();
  const ReadResult read = ReadWholeFile(*setup.image_path, 1 << 20);
  if (!read.bytes) {
    err << "talvirex scanner: " << *setup.image_path << ": " << read.error.reason << '\n';
    return std::nullopt;
  }
  scanner::ImageText image = scanner::ParseImageText(*read.bytes);
  if (!image.error.empty()) {
    err << "talvirex scanner: " << *setup.image_path << " is not a clone image: " << image.error
        << '\n';
    return std::nullopt;
  }
  return std::move(image.lines);
}

int SaveReceived(const Setup& setup, const scanner::ScannerSession& session,
                 CommandContext& context) {
  const std::string text = scanner::FormatImageText(session.received());
  if (!setup.out_path) {
    context.out << text << std::flush;
    return kExitOk;
  }
  if (const auto error = WriteFileAtomically(*setup.out_path, text)) {
    context.err << "talvirex scanner: " << *setup.out_path << ": " << error->reason << '\n';
    return kExitDataProblem;
  }
  return kExitOk;
}

int RunScanner(CommandContext& context) {
  const Arguments args(context.args,
                       {"--role", "--image", "--out", "--refuse", "--refuse-always", "--corrupt",
                        "--chunk", "--delay", "--disconnect-after", "--link", "--repeat",
                        "--timeout", "--lose-ok", "--late", "--late-by", "--store", "--wire-baud"},
                       {"--wrong-model", "--noise"});
  Setup setup;
  const std::string problem = args.ok() ? ReadSetup(args, setup) : args.error();
  if (!problem.empty() || !args.positional().empty()) {
    context.err << "talvirex scanner: " << (problem.empty() ? "takes no file arguments" : problem)
                << '\n';
    return kExitUsage;
  }
  auto image = setup.role == Role::kMaster
                   ? LoadImage(setup, context.err)
                   : std::optional<std::vector<std::string>>(std::vector<std::string>{});
  if (!image) return kExitDataProblem;

  HeldSignals signals;  // before the device exists, so an early Ctrl+C still cleans up
  std::string error;
  auto device = scanner::PtyDevice::Create(error);
  if (!device || (setup.link && !device->MakeLink(*setup.link, error))) {
    context.err << "talvirex scanner: " << error << '\n';
    return kExitDataProblem;
  }
  context.out << device->path() << std::endl;

  scanner::ScannerSession session(setup.role, setup.faults, std::move(*image), setup.timing);
  scanner::RunOptions options;
  options.idle_timeout_ms = setup.idle_timeout_ms;
  options.should_stop = [&signals] { return signals.Pending(); };
  const scanner::RunEnd end = scanner::RunSession(session, *device, options);
  device.reset();
  const int status = Report(session, end, context.err);
  if (status == kExitOk && setup.role == Role::kSlave) return SaveReceived(setup, session, context);
  return status;
}

}  // namespace

extern const Command kScannerCommand{
    "scanner",
    "scanner --role master|slave [--image FILE] [--out FILE] [--link PATH]\n"
    "        [--refuse N,..] [--refuse-always N,..] [--corrupt N,..] [--wrong-model] [--noise]\n"
    "        [--chunk N] [--delay MS] [--disconnect-after N] [--repeat MS] [--timeout MS]\n"
    "        [--lose-ok N,..] [--late N] [--late-by MS] [--store arrival|address] [--wire-baud N]",
    "the virtual scanner on a pseudo-terminal, for trying the program without hardware",
    "Prints the device path first; give it to 'talvirex read' or 'send' as --port.\n"
    "  --role master     the scanner sends its memory (use 'talvirex read'): \"MDL\", then the "
    "253\n"
    "                    lines of --image FILE (default: a scanner fresh from the factory), "
    "\"END\".\n"
    "                    \"MDL\" is repeated every --repeat MS (default 1000, 0 = once) until "
    "answered.\n"
    "  --role slave      the scanner receives (use 'talvirex send'); at \"END\" after 253 sound "
    "lines\n"
    "                    it writes them to --out FILE (standard output without it).\n"
    "  --link PATH       also make PATH a symbolic link to the device\n"
    "  --timeout MS      give up when nothing moves for MS milliseconds (default: never)\n"
    "  --wire-baud N     bytes take the time a real line at N baud needs (11 bits a character;\n"
    "                    9600 is the scanner's); default 0: as fast as the pseudo-terminal\n"
    "Faults: --refuse N,.. (slave: answer \"NG\" to those lines once), --refuse-always N,..,\n"
    "  --corrupt N,.. (master: send those lines once with a wrong digit), --wrong-model (slave),\n"
    "  --noise (junk between messages), --chunk N (messages in pieces of N bytes),\n"
    "  --delay MS (every message late), --disconnect-after N (drop the link after N lines),\n"
    "  --lose-ok N,.. (master: the first \"OK\" to those lines is lost; each goes again),\n"
    "  --late N (slave: the answer to line N comes --late-by MS late, default 5500),\n"
    "  --store arrival (slave: lines are stored as they arrive, whatever their address; a line\n"
    "  that arrives twice is held twice) or address (the default).\n"
    "Exit status: 0 complete exchange, 1 usage, 2 unusable image or output file, 3 incomplete,\n"
    "130 stopped.\n",
    RunScanner};

}  // namespace talvirex::cli
