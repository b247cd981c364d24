#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/link/kloon_test_support.h"
#include "link/kloon.h"

namespace talvirex {
namespace {

using testing::Recorder;

constexpr std::string_view kSendInstructions =
    "SportCat 200 file upload:\r\n  \r\n - Switch SC200 OFF.\r\n"
    " - Press and hold 'E' button while switching power ON\r\n"
    " - Press arrow up or down key until display shows: CLONE or SLAVE\r\n"
    " - Press E at keypad ( CLONE or SLAVE flashes)\r\n"
    " - Close this window by pressing OK to start data transfer.";
constexpr std::string_view kRestoreFinished =
    "Restore finished. \r\nYour SC200 must now show:\r\n>COMPLETE\r\nSwitch scanner Off/On\r\n\r\n";

// A send window on a numbered image, with the port open and "MDL" sent.
class SendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rec.Take(kloon.Open());
    rec.Take(kloon.StartSend(PortAddress{4, ""}));
    rec.Take(kloon.OnPortOpened(PortOpenResult::kOpened));
  }
  void Answer(std::string_view bytes) { rec.Take(kloon.OnBytes(bytes)); }
  void Tick() { rec.Take(kloon.OnPacingTimer()); }
  std::string Line(int i) const { return image.lines[static_cast<std::size_t>(i)] + "\r"; }
  // The scanner answers the model question, then "OK" to `lines` lines.
  void AcknowledgeLines(int lines) {
    Answer("SC200SPOR\r");
    AcknowledgeLinesAfterTheModel(lines);
  }
  void AcknowledgeLinesAfterTheModel(int lines) {
    for (int i = 0; i < lines; ++i) {
      Tick();
      Answer("OK\r");
    }
  }

  CloneImage image = testing::NumberedImage();
  Kloon kloon{image, KloonMode::kSend, 20};
  Recorder rec;
};

TEST_F(SendTest, OpeningShowsTheInstructionsAndAsksForTheModel) {
  EXPECT_EQ(kloon.Caption(), "Send Data");
  EXPECT_EQ(rec.statuses, (std::vector<std::string>{"None.", "Restore."}));
  EXPECT_EQ(rec.messages, std::vector<std::string>{std::string(kSendInstructions)});
  EXPECT_EQ(rec.writes, std::vector<std::string>{"MDL\r"});
  EXPECT_EQ(rec.timers.back(), Kloon::kAnswerTimeoutMs);
  EXPECT_FALSE(rec.detected);
  EXPECT_EQ(rec.buttons, (SetButtons{false, false, true}));
}

TEST_F(SendTest, FullSendSendsEveryLineInOrderThenEnd) {
  Answer("SC2");
  Answer("00SPOR\r");
  EXPECT_TRUE(rec.detected);
  EXPECT_EQ(rec.statuses.back(), "Scanner detected.");
  EXPECT_EQ(rec.timers.back(), 20);
  for (int i = 1; i <= kCloneLineCount; ++i) {
    Tick();
    ASSERT_EQ(rec.writes.back(), Line(i));
    Answer("O");
    Answer("K\r");
    ASSERT_EQ(rec.statuses.back(), "Data transfer in progress: " + std::to_string(i));
  }
  EXPECT_EQ(rec.progress.back().percent, 99);  // 253 / 255
  EXPECT_EQ(rec.progress.back().line_counter, 253);
  Tick();
  EXPECT_EQ(rec.writes.back(), "END\r");
  EXPECT_EQ(rec.writes.size(), 255u);  // "MDL", 253 lines, "END"
  EXPECT_EQ(rec.messages.back(), kRestoreFinished);
  EXPECT_EQ(rec.statuses.back(), "Restore finished.");
  EXPECT_EQ(rec.closes, 1);
  EXPECT_EQ(rec.buttons, (SetButtons{false, true, false}));
  EXPECT_EQ(rec.ended, std::vector<Outcome>{Outcome::kComplete});
  EXPECT_FALSE(kloon.transferring());
  EXPECT_EQ(rec.Count<ShowLine>(), 253);
}

TEST_F(SendTest, ARefusedLineIsSentAgainAndNothingElse) {
  Answer("SC200SPOR\r");
  Tick();
  Answer("NG\r");  // the first line too
  EXPECT_EQ(rec.statuses.back(), "Not Good! Retry:0");
  rec.ClearWrites();
  Tick();
  EXPECT_EQ(rec.writes, std::vector<std::string>{Line(1)});
  Answer("OK\r");
  AcknowledgeLinesAfterTheModel(8);
  Tick();
  EXPECT_EQ(rec.writes.back(), Line(10));
  Answer("NG\r");
  EXPECT_EQ(rec.statuses.back(), "Not Good! Retry:9");
  EXPECT_EQ(rec.refusal_log, "\r\nNot Good! Retry:0\r\nNot Good! Retry:9");
  EXPECT_EQ(kloon.refusals(), 2);
  rec.ClearWrites();
  Tick();
  EXPECT_EQ(rec.writes, std::vector<std::string>{Line(10)});
  Answer("OK\r");
  Tick();
  EXPECT_EQ(rec.writes.back(), Line(11));
}

TEST_F(SendTest, TheFifteenthRefusalEndsTheTransfer) {
  AcknowledgeLines(2);
  for (int i = 1; i < Kloon::kMaxRefusals; ++i) {
    Tick();
    Answer("NG\r");
    ASSERT_TRUE(kloon.transferring()) << i;
  }
  EXPECT_EQ(rec.closes, 0);
  Tick();
  Answer("NG\r");
  EXPECT_EQ(kloon.refusals(), 15);
  EXPECT_EQ(rec.statuses.back(), "Too many refusals. Restore status: Bad.");
  EXPECT_EQ(rec.closes, 1);
  EXPECT_EQ(rec.ended, std::vector<Outcome>{Outcome::kTooManyRefusals});
  EXPECT_EQ(rec.buttons, (SetButtons{false, true, false}));
  rec.ClearWrites();
  Tick();
  Answer("OK\r");
  EXPECT_TRUE(rec.writes.empty());
}

TEST_F(SendTest, NoAnswerWithinTheTimeoutResendsTheLineUntilTheRefusalLimit) {
  AcknowledgeLines(5);
  Tick();
  EXPECT_EQ(rec.timers.back(), Kloon::kAnswerTimeoutMs);
  rec.ClearWrites();
  Tick();  // the answer timeout
  EXPECT_EQ(kloon.refusals(), 1);
  EXPECT_EQ(rec.statuses.back(), "Not Good! Retry:5");
  Tick();  // the pause before sending again
  EXPECT_EQ(rec.writes, std::vector<std::string>{Line(6)});
  for (int i = 0; i < 100 && kloon.transferring(); ++i) Tick();
  EXPECT_EQ(rec.ended, std::vector<Outcome>{Outcome::kTooManyRefusals});
  // Line 6 went 15 times in all (once before the writes were cleared), nothing else.
  EXPECT_EQ(rec.writes, std::vector<std::string>(14, Line(6)));
}

// Line 6 got no answer in time and went again. An answer carries no address: the engine holds the
// first one for a guard time, and a line answered twice (in the guard or after it) ends the send.
TEST(SendLateAnswer, ALineSentAgainWaitsOutTheGuardAndTwoAnswersEndTheSend) {
  constexpr std::string_view kTwice =
      "Line 6 was answered twice: the scanner may hold it twice.\r\nSend again; a fresh send "
      "rewrites every line.";
  enum class Scanner { kAnswersOnce, kAnswersBoth, kAnswersAgainAfterTheGuard, kLateBeforeResend };
  for (const Scanner scanner : {Scanner::kAnswersOnce, Scanner::kAnswersBoth,
                                Scanner::kAnswersAgainAfterTheGuard, Scanner::kLateBeforeResend}) {
    SCOPED_TRACE(static_cast<int>(scanner));
    CloneImage image = testing::NumberedImage();
    Kloon kloon(image, KloonMode::kSend, 20, 300);
    Recorder rec;
    const auto tick = [&] { rec.Take(kloon.OnPacingTimer()); };
    const auto answer = [&](std::string_view bytes) { rec.Take(kloon.OnBytes(bytes)); };
    rec.Take(kloon.StartSend(PortAddress{}));
    rec.Take(kloon.OnPortOpened(PortOpenResult::kOpened));
    answer("SC200SPOR\r");
    for (int i = 0; i < 5; ++i) {
      tick();
      answer("OK\r");
    }
    tick();  // line 6 out
    tick();  // no answer in time
    EXPECT_EQ(kloon.refusals(), 1);
    rec.ClearWrites();
    if (scanner == Scanner::kLateBeforeResend) {
      answer("OK\r");  // the first copy's answer, before the second copy left: nothing to guard
      tick();
      EXPECT_EQ(rec.writes, std::vector<std::string>{image.lines[7] + "\r"});
      continue;
    }
    tick();  // line 6 again
    answer("OK\r");
    EXPECT_EQ(rec.timers.back(), 300);  // the guard, not the pacing
    if (scanner == Scanner::kAnswersBoth) answer("O");
    if (scanner == Scanner::kAnswersBoth) answer("K\r");
    if (scanner != Scanner::kAnswersBoth) tick();  // the guard ends with one answer
    if (scanner == Scanner::kAnswersAgainAfterTheGuard) answer("NG\r");
    if (scanner == Scanner::kAnswersOnce) {
      EXPECT_EQ(rec.statuses.back(), "Data transfer in progress: 6");
      tick();
      EXPECT_EQ(rec.writes, (std::vector<std::string>{image.lines[6] + "\r",
                                                      image.lines[7] + "\r"}));
      continue;
    }
    EXPECT_EQ(rec.ended, std::vector<Outcome>{Outcome::kAnsweredTwice});
    EXPECT_EQ(rec.messages.back(), kTwice);
    EXPECT_EQ(rec.statuses.back(), "Line 6 answered twice. Restore status: Bad.");
    EXPECT_EQ(rec.closes, 1);
    EXPECT_EQ(rec.buttons, (SetButtons{false, true, false}));
    EXPECT_EQ(rec.writes, std::vector<std::string>{image.lines[6] + "\r"});  // never line 7
  }
}

TEST_F(SendTest, TheModelQuestionIsAskedAgainUntilTheLimitAndAnyAnswerNamingTheModelCounts) {
  rec.ClearWrites();
  Tick();
  EXPECT_EQ(rec.writes, std::vector<std::string>{"MDL\r"});
  EXPECT_EQ(kloon.refusals(), 1);
  Answer("OK\r");  // no line is outstanding
  EXPECT_EQ(kloon.line_counter(), 0);
  Answer("xxSC200yy\r");
  EXPECT_TRUE(rec.detected);
  EXPECT_EQ(rec.statuses.back(), "Scanner detected.");

  CloneImage own;
  Kloon silent(own, KloonMode::kSend, 20);
  Recorder r;
  r.Take(silent.StartSend(PortAddress{}));
  r.Take(silent.OnPortOpened(PortOpenResult::kOpened));
  for (int i = 0; i < 20 && silent.transferring(); ++i) r.Take(silent.OnPacingTimer());
  EXPECT_EQ(r.ended, std::vector<Outcome>{Outcome::kTooManyRefusals});
  EXPECT_FALSE(r.detected);
  for (const auto& w : r.writes) EXPECT_EQ(w, "MDL\r");
}

TEST_F(SendTest, ALineOfTheWrongLengthIsReportedAndSentAllTheSame) {
  image.lines[1] = "CLN 0000 00";
  Answer("SC200SPOR\r");
  Tick();
  EXPECT_EQ(rec.messages.back(), "data error length");
  EXPECT_EQ(rec.writes.back(), "CLN 0000 00\r");
}

TEST_F(SendTest, StopAtEveryStageCancelsAndClosesThePort) {
  // Stages: model question out, pause before a line, line out.
  for (int stage = 0; stage < 3; ++stage) {
    CloneImage own = testing::NumberedImage();
    Kloon k(own, KloonMode::kSend, 20);
    Recorder r;
    r.Take(k.StartSend(PortAddress{}));
    r.Take(k.OnPortOpened(PortOpenResult::kOpened));
    if (stage >= 1) r.Take(k.OnBytes("SC200SPOR\r"));
    if (stage >= 2) r.Take(k.OnPacingTimer());
    r.Take(k.Stop());
    EXPECT_EQ(r.statuses.back(), "Operation cancelled by user.") << stage;
    EXPECT_EQ(r.closes, 1) << stage;
    EXPECT_EQ(r.ended, std::vector<Outcome>{Outcome::kCancelled}) << stage;
    EXPECT_EQ(r.buttons, (SetButtons{false, true, true})) << stage;
    EXPECT_GE(r.Count<StopPacingTimer>(), 1) << stage;
    const auto writes = r.writes.size();
    r.Take(k.OnPacingTimer());
    r.Take(k.OnBytes("OK\rSC200\r"));
    EXPECT_EQ(r.writes.size(), writes) << stage;
  }
}

}  // namespace
}  // namespace talvirex
