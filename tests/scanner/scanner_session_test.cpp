#include "scanner/scanner_session.h"

#include <gtest/gtest.h>

#include "scanner/clone_lines.h"

namespace talvirex::scanner {
namespace {

// Splits everything written into CR-ended messages (the CRs removed), as the program reads them.
class Collector {
 public:
  void Take(const Effects& effects) {
    for (const auto& bytes : effects.writes) {
      pieces.push_back(bytes);
      buffer_ += bytes;
    }
    hung_up = hung_up || effects.hang_up;
    for (std::size_t end; (end = buffer_.find('\r')) != std::string::npos;) {
      messages.push_back(buffer_.substr(0, end));
      buffer_.erase(0, end + 1);
    }
  }
  std::string Next() {
    if (read_ >= messages.size()) return "<nothing>";
    return messages[read_++];
  }
  std::size_t unread() const { return messages.size() - read_; }

  std::vector<std::string> pieces;
  std::vector<std::string> messages;
  bool hung_up = false;

 private:
  std::string buffer_;
  std::size_t read_ = 0;
};

// Feeds `message` plus CR in pieces of `piece` bytes.
void Feed(ScannerSession& session, Collector& out, const std::string& message, Millis now,
          std::size_t piece = 1000) {
  const std::string bytes = message + '\r';
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    out.Take(session.OnBytes(std::string_view(bytes).substr(at, piece), now));
  }
}

const std::vector<std::string>& Image() {
  static const std::vector<std::string> lines = DefaultImageLines();
  return lines;
}

// ---- slave: the scanner receives --------------------------------------------------------------

TEST(SlaveSessionTest, FullExchangeInAwkwardPieces) {
  ScannerSession session(Role::kSlave, {}, {});
  Collector out;
  out.Take(session.Start(0));
  EXPECT_TRUE(out.messages.empty());
  // Two messages and the start of a third in one read: both are answered.
  out.Take(session.OnBytes("MDL\r" + Image()[0] + "\r" + Image()[1].substr(0, 10), 0));
  EXPECT_EQ(out.messages, (std::vector<std::string>{"SC200SPOR", "OK"}));
  out.Take(session.OnBytes(Image()[1].substr(10) + "\r", 1));
  for (int i = 2; i < 253; ++i) {
    Feed(session, out, Image()[static_cast<std::size_t>(i)], i, 1 + i % 17);
    ASSERT_EQ(out.messages.size(), static_cast<std::size_t>(i + 2)) << "line " << i + 1;
    ASSERT_EQ(out.messages.back(), "OK") << "line " << i + 1;
  }
  EXPECT_EQ(session.outcome(), Outcome::kRunning);
  Feed(session, out, "END", 300, 2);
  EXPECT_EQ(session.outcome(), Outcome::kComplete);
  EXPECT_EQ(out.messages.size(), 254u);  // "END" is not answered
  EXPECT_EQ(session.received(), Image());
  EXPECT_EQ(session.counters().lines_done, 253);
  EXPECT_EQ(session.counters().refused, 0);
}

TEST(SlaveSessionTest, UnsoundLinesAreRefusedAndNeverStored) {
  // The kinds of fault are the line check's own test; one of each reaches the session here.
  std::string bad_sum = Image()[1];
  bad_sum[45] = 'F';
  const std::string cases[] = {Image()[1].substr(0, 45), bad_sum,
                               Image()[2] /* line 3 where line 2 belongs */, Image()[0]};
  for (const std::string& bad : cases) {
    ScannerSession session(Role::kSlave, {}, {});
    Collector out;
    session.Start(0);
    Feed(session, out, "MDL", 0);
    Feed(session, out, Image()[0], 1);
    Feed(session, out, bad, 2);
    // Line 1 again is the repeat of the line just stored: acknowledged, stored once.
    EXPECT_EQ(out.messages.back(), bad == Image()[0] ? "OK" : "NG") << bad;
    EXPECT_EQ(session.received().size(), 1u);
    Feed(session, out, Image()[1], 3);
    EXPECT_EQ(out.messages.back(), "OK");
    EXPECT_EQ(session.received(), (std::vector<std::string>{Image()[0], Image()[1]}));
    EXPECT_EQ(session.counters().refused, bad == Image()[0] ? 0 : 1);
  }
}

// At 9600 baud a character takes 11 bit times, 1.146 ms: "MDL" and its CR are through after
// 4.6 ms, and the 10-character answer leaves one character at a time over the next 11.5 ms
// (each at the nearest millisecond).
TEST(SlaveSessionTest, WirePacingGivesEveryCharacterItsTimeOnTheLine) {
  ScannerSession session(Role::kSlave, {}, {}, {.wire_baud = 9600});
  Collector out;
  out.Take(session.Start(0));
  out.Take(session.OnBytes("MDL\r", 0));
  EXPECT_EQ(session.NextDeadline(), 5);
  out.Take(session.OnTick(4));
  EXPECT_TRUE(out.pieces.empty());
  out.Take(session.OnTick(15));
  EXPECT_EQ(out.pieces.size(), 9u);  // "SC200SPOR", the CR still on its way
  EXPECT_TRUE(out.messages.empty());
  out.Take(session.OnTick(16));
  EXPECT_EQ(out.messages, std::vector<std::string>{"SC200SPOR"});
}

TEST(SlaveSessionTest, RefusesListedLinesOnceOrAlways) {
  Faults faults;
  faults.refuse_once = {1, 3};
  faults.refuse_always = {4};
  ScannerSession session(Role::kSlave, faults, {});
  Collector out;
  session.Start(0);
  Feed(session, out, "MDL", 0);
  out.Next();
  const std::pair<int, const char*> steps[] = {{1, "NG"}, {1, "OK"}, {2, "OK"}, {3, "NG"},
                                               {3, "OK"}, {4, "NG"}, {4, "NG"}, {4, "NG"}};
  for (const auto& [line, answer] : steps) {
    Feed(session, out, Image()[static_cast<std::size_t>(line - 1)], 1);
    EXPECT_EQ(out.Next(), answer) << "line " << line;
  }
  EXPECT_EQ(session.received().size(), 3u);
  EXPECT_EQ(session.counters().refused, 5);
}

TEST(SlaveSessionTest, AModelRequestStartsOverAndEndBeforeAllLinesFails) {
  ScannerSession session(Role::kSlave, {}, {});
  Collector out;
  session.Start(0);
  Feed(session, out, "MDL", 0);
  for (int i = 0; i < 5; ++i) Feed(session, out, Image()[static_cast<std::size_t>(i)], 1);
  Feed(session, out, "MDL", 2);
  EXPECT_EQ(out.messages.back(), "SC200SPOR");
  EXPECT_TRUE(session.received().empty());
  for (int i = 0; i < 100; ++i) Feed(session, out, Image()[static_cast<std::size_t>(i)], 3);
  EXPECT_EQ(out.messages.back(), "OK");
  Feed(session, out, "END", 4);
  EXPECT_EQ(session.outcome(), Outcome::kFailed);
  EXPECT_EQ(session.failure(), "\"END\" arrived after 100 of 253 lines");
}

// ---- master: the scanner sends ----------------------------------------------------------------

TEST(MasterSessionTest, RefusedLineIsSentAgainItselfUpToTheLimit) {
  ScannerSession session(Role::kMaster, {}, Image());
  Collector out;
  session.Start(0);
  Feed(session, out, "SC200SPOR", 0);
  Feed(session, out, "OK", 1);
  Feed(session, out, "NG", 2);
  Feed(session, out, "garbage", 2);  // neither answer: ignored, later answers still count
  EXPECT_EQ(out.messages, (std::vector<std::string>{Image()[0], Image()[1], Image()[1]}));
  Feed(session, out, "OK", 3);
  EXPECT_EQ(out.messages.back(), Image()[2]);
  for (int i = 1; i < kMaxAttempts; ++i) Feed(session, out, "NG", 4);
  EXPECT_EQ(out.messages.size(), 4u + kMaxAttempts - 1);
  EXPECT_EQ(session.outcome(), Outcome::kRunning);
  Feed(session, out, "NG", 5);
  EXPECT_EQ(session.outcome(), Outcome::kFailed);
  EXPECT_EQ(session.failure(), "line 3 was refused 15 times");
  EXPECT_EQ(session.counters().refused, 16);
}

TEST(MasterSessionTest, UnansweredLineIsSentAgainAfterTheTimeout) {
  ScannerSession session(Role::kMaster, {}, Image(), {.answer_timeout_ms = 5000});
  Collector out;
  session.Start(0);
  Feed(session, out, "SC200SPOR", 100);
  EXPECT_EQ(session.NextDeadline(), 5100);
  out.Take(session.OnTick(5099));
  EXPECT_EQ(out.messages.size(), 1u);
  out.Take(session.OnTick(5100));
  EXPECT_EQ(out.messages, (std::vector<std::string>{Image()[0], Image()[0]}));
  EXPECT_EQ(session.counters().resent_on_timeout, 1);
  for (Millis t = 10100; session.outcome() == Outcome::kRunning; t += 5000) {
    out.Take(session.OnTick(t));
  }
  EXPECT_EQ(session.outcome(), Outcome::kFailed);
  EXPECT_EQ(session.failure(), "line 1 got no answer");
  EXPECT_EQ(out.messages.size(), static_cast<std::size_t>(kMaxAttempts));
}

}  // namespace
}  // namespace talvirex::scanner
