// SPDX-License-Identifier: GPL-3.0-or-later
// A scanner that answers one line only after the program has sent it again. Whether the scanner
// stores lines by address (the second copy lands where the first did) or by arrival (it holds the
// line twice and every later line one place off), a send must end with exactly the intended image
// in the scanner or fail cleanly with exit status 3, never "finished" with anything else.
//
// The command line's own transfer run (the engine on its QSerialPort driver) runs in this process
// against the virtual scanner on a pseudo-terminal, so that the program's 5-second wait for an
// answer can be shortened to 300 ms; the scanner's answer comes 330 ms late.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QCoreApplication>
#include <sstream>

#include "cli/command.h"
#include "cli/transfer_run.h"
#include "document.h"
#include "support/running_scanner.h"
#include "support/temp_dir.h"

namespace talvirex {
namespace {

TEST(LateAnswer, ASendEndsExactOrFailsCleanlyWhicheverWayTheScannerStores) {
  static int argc = 1;
  static char name[] = "cli_tests";
  static char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);
  constexpr int kLateLine = 3;
  const std::string twice =
      "Line 3 was answered twice: the scanner may hold it twice.\nSend again; a fresh send "
      "rewrites every line.";
  for (const bool by_arrival : {false, true}) {
    SCOPED_TRACE(by_arrival ? "stores by arrival" : "stores by address");
    testing::TempDir home;
    ::setenv("TALVIREX_HOME", home.path().c_str(), 1);
    scanner::Faults faults;
    faults.late_line = kLateLine;
    faults.late_by_ms = 330;
    faults.store_by_arrival = by_arrival;
    testing::RunningScanner run(scanner::Role::kSlave, faults);
    ASSERT_TRUE(run.ready());
    run.Start(2000, 300);

    Document document;  // the default image
    const auto& lines = document.clone_image.lines;
    const std::vector<std::string> intended(lines.begin() + 1, lines.begin() + 1 + kCloneLineCount);
    cli::TransferRequest request;
    request.mode = KloonMode::kSend;
    request.port = PortAddress{1, run.device().path()};
    request.pacing_ms = PortSetup::kMinPacingMs;
    request.assume_yes = true;
    request.answer_timeout_ms = 300;
    std::istringstream in;
    std::ostringstream out, err;
    cli::CommandContext context{{}, in, out, err};
    const int status = cli::RunTransfer(context, document, request);
    if (status != cli::kExitOk) run.Stop();
    run.Wait();

    const bool exact = run.session().outcome() == scanner::Outcome::kComplete &&
                       run.session().received() == intended;
    if (status == cli::kExitOk) {
      EXPECT_TRUE(exact) << "finished, but the scanner holds another image\n" << err.str();
    } else {
      EXPECT_EQ(status, cli::kExitIncomplete) << err.str();
      EXPECT_EQ(err.str().find("Restore finished."), std::string::npos) << err.str();
    }
    // The line went twice and both copies were answered: the program cannot know which kind of
    // scanner it talks to, so it fails either way and says why.
    EXPECT_EQ(status, cli::kExitIncomplete);
    EXPECT_NE(err.str().find(twice), std::string::npos) << err.str();
  }
}

}  // namespace
}  // namespace talvirex
