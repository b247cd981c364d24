#include "link/line_framer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talvirex {
namespace {

using namespace std::string_literals;
using Messages = std::vector<std::string>;

// Feeds the pieces one by one, taking every complete message after each.
Messages FeedAll(LineFramer& framer, const std::vector<std::string>& pieces) {
  Messages messages;
  for (const auto& piece : pieces) {
    framer.Feed(piece);
    while (auto message = framer.Next()) messages.push_back(*message);
  }
  return messages;
}

TEST(LineFramer, CutsMessagesWhateverThePieces) {
  const struct {
    std::vector<std::string> pieces;
    Messages expected;
    std::size_t left;
  } cases[] = {
      {{"CLN 00", "10 AB", "\r"}, {"CLN 0010 AB"}, 0},  // one message over three reads
      {{"OK\rNG\rMD"}, {"OK", "NG"}, 2},                // two in one read, the rest kept
      {{"OK\rNG\rMD", "L\rE", "ND\r"}, {"OK", "NG", "MDL", "END"}, 0},
      {{"OK\r\n", "\nNG\r"}, {"OK", "NG"}, 0},  // line feeds after CR skipped
      {{"\r\r"}, {"", ""}, 0},
      {{"A\0B\r"s}, {"A\0B"s}, 0},  // NUL bytes kept
      {{"M", "D", "L", "\r", "\r", "E"}, {"MDL", ""}, 1},  // a byte at a time
  };
  for (const auto& c : cases) {
    LineFramer framer;
    EXPECT_EQ(FeedAll(framer, c.pieces), c.expected) << c.pieces.front();
    EXPECT_EQ(framer.pending(), c.left) << c.pieces.front();
  }
}

TEST(LineFramer, DropsAnOverlongUnfinishedMessageAsNoise) {
  LineFramer framer;
  EXPECT_EQ(FeedAll(framer, {"OK\r" + std::string(LineFramer::kMaxPendingBytes + 1, 'x')}),
            Messages{"OK"});
  EXPECT_EQ(framer.pending(), 0u);
  EXPECT_EQ(framer.dropped(), LineFramer::kMaxPendingBytes + 1);
  EXPECT_EQ(FeedAll(framer, {"NG\r"}), Messages{"NG"});
}

TEST(LineFramer, NoiseInSmallPiecesNeverGrowsTheBufferPastItsBound) {
  LineFramer framer;
  std::size_t most = 0;
  for (std::size_t i = 0; i < 3 * LineFramer::kMaxPendingBytes; ++i) {
    FeedAll(framer, {"zz"});
    most = std::max(most, framer.pending());
  }
  EXPECT_LE(most, LineFramer::kMaxPendingBytes);
  EXPECT_GT(framer.dropped(), 0u);
  EXPECT_EQ(FeedAll(framer, {"\rOK\r"}).back(), "OK");
}

}  // namespace
}  // namespace talvirex
