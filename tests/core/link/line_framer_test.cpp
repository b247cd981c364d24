#include "link/line_framer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talvirex {
namespace {

std::vector<std::string> Drain(LineFramer& framer) {
  std::vector<std::string> messages;
  while (auto message = framer.Next()) messages.push_back(*message);
  return messages;
}

TEST(LineFramer, JoinsAMessageSplitAcrossReads) {
  LineFramer framer;
  framer.Feed("CLN 00");
  EXPECT_TRUE(Drain(framer).empty());
  framer.Feed("10 AB");
  EXPECT_TRUE(Drain(framer).empty());
  framer.Feed("\r");
  EXPECT_EQ(Drain(framer), std::vector<std::string>{"CLN 0010 AB"});
  EXPECT_EQ(framer.pending(), 0u);
}

TEST(LineFramer, SplitsSeveralMessagesInOneReadAndKeepsTheRest) {
  LineFramer framer;
  framer.Feed("OK\rNG\rMD");
  EXPECT_EQ(Drain(framer), (std::vector<std::string>{"OK", "NG"}));
  EXPECT_EQ(framer.pending(), 2u);
  framer.Feed("L\rE");
  EXPECT_EQ(Drain(framer), std::vector<std::string>{"MDL"});
  framer.Feed("ND\r");
  EXPECT_EQ(Drain(framer), std::vector<std::string>{"END"});
}

TEST(LineFramer, ByteAtATimeGivesTheSameMessages) {
  LineFramer framer;
  using namespace std::string_literals;
  const std::string stream = "MDL\r\rCLN x\0y\rEND\r"s;
  std::vector<std::string> messages;
  for (char c : stream) {
    framer.Feed(std::string_view(&c, 1));
    for (auto& m : Drain(framer)) messages.push_back(m);
  }
  EXPECT_EQ(messages, (std::vector<std::string>{"MDL", "", "CLN x\0y"s, "END"}));
}

TEST(LineFramer, KeepsNulBytesInsideAMessage) {
  LineFramer framer;
  framer.Feed(std::string_view("A\0B\r", 4));
  const auto message = framer.Next();
  ASSERT_TRUE(message);
  EXPECT_EQ(*message, std::string("A\0B", 3));
}

TEST(LineFramer, SkipsALineFeedAfterTheCarriageReturn) {
  LineFramer framer;
  framer.Feed("OK\r\n");
  EXPECT_EQ(Drain(framer), std::vector<std::string>{"OK"});
  framer.Feed("\nNG\r");
  EXPECT_EQ(Drain(framer), std::vector<std::string>{"NG"});
}

TEST(LineFramer, DropsAnOverlongUnfinishedMessageAsNoise) {
  LineFramer framer;
  framer.Feed(std::string(LineFramer::kMaxPendingBytes + 1, 'x'));
  EXPECT_TRUE(Drain(framer).empty());
  EXPECT_EQ(framer.pending(), 0u);
  EXPECT_EQ(framer.dropped(), LineFramer::kMaxPendingBytes + 1);
  framer.Feed("OK\r");
  EXPECT_EQ(Drain(framer), std::vector<std::string>{"OK"});
}

TEST(LineFramer, NoiseInSmallPiecesNeverGrowsTheBufferPastItsBound) {
  LineFramer framer;
  std::size_t most = 0;
  for (int i = 0; i < 3 * static_cast<int>(LineFramer::kMaxPendingBytes); ++i) {
    framer.Feed("zz");
    Drain(framer);
    most = std::max(most, framer.pending());
  }
  EXPECT_LE(most, LineFramer::kMaxPendingBytes);
  EXPECT_GT(framer.dropped(), 0u);
  framer.Feed("\rOK\r");
  const auto messages = Drain(framer);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "OK");
}

TEST(LineFramer, KeepsCompleteMessagesBeforeALongTail) {
  LineFramer framer;
  framer.Feed("OK\r" + std::string(LineFramer::kMaxPendingBytes + 10, 'n'));
  EXPECT_EQ(Drain(framer), std::vector<std::string>{"OK"});
  EXPECT_EQ(framer.pending(), 0u);
}

TEST(LineFramer, ClearForgetsPendingInput) {
  LineFramer framer;
  framer.Feed("OK\rN");
  framer.Clear();
  framer.Feed("G\r");
  EXPECT_EQ(Drain(framer), std::vector<std::string>{"G"});
}

}  // namespace
}  // namespace talvirex
