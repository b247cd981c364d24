// The engine against random events and random bytes: whatever arrives, it must never crash, and
// the effects it asks for must make sense to a driver (no write to a closed port, no port closed
// twice, no line stored that is not a valid line of its place).

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/link/kloon_test_support.h"
#include "link/clone_line_check.h"
#include "link/kloon.h"

namespace talvirex {
namespace {

// Plays the driver: carries out the effects on a modelled port and records faults.
class CheckingDriver {
 public:
  CheckingDriver(Kloon& kloon, std::mt19937& random) : kloon_(kloon), random_(random) {}

  void Run(const KloonEffects& effects) {
    for (const auto& effect : effects) {
      if (std::holds_alternative<OpenPort>(effect)) {
        if (open_ || opening_) Fault("open while open");
        opening_ = true;
      } else if (std::holds_alternative<ClosePort>(effect)) {
        if (!open_) Fault("close while closed");
        open_ = false;
      } else if (std::holds_alternative<WriteText>(effect)) {
        const auto& text = std::get<WriteText>(effect).text;
        if (!open_ || text.empty() || text.back() != '\r') Fault("write " + text);
      }
    }
    if (opening_ && random_() % 2 == 0) AnswerOpen();
  }

  void AnswerOpen() {
    if (!opening_) return;
    opening_ = false;
    const auto roll = random_() % 8;
    const PortOpenResult result = roll == 0   ? PortOpenResult::kInUse
                                  : roll == 1 ? PortOpenResult::kNotAvailable
                                              : PortOpenResult::kOpened;
    if (result == PortOpenResult::kOpened) open_ = true;
    Run(kloon_.OnPortOpened(result));
  }

  void Fault(const std::string& what) {
    ++faults;
    ADD_FAILURE() << what;
  }

  int faults = 0;

 private:
  Kloon& kloon_;
  std::mt19937& random_;
  bool open_ = false;
  bool opening_ = false;
};

std::string RandomBytes(std::mt19937& random, int round) {
  static const char* const kPieces[] = {
      "MDL\r", "END\r", "OK\r", "NG\r",    "SC200SPOR\r",
      "\r",    "CLN ",  "\n",   "~07DD\r", "CLN 0000 00000000000000000000000000000000~07DD\r"};
  std::string bytes;
  const int count = static_cast<int>(random() % 6);
  for (int i = 0; i < count; ++i) {
    switch (random() % 4) {
      case 0:
        bytes += kPieces[random() % std::size(kPieces)];
        break;
      case 1:
        bytes +=
            testing::CloneLineFor(static_cast<int>(random() % 256), static_cast<int>(random())) +
            "\r";
        break;
      case 2:
        bytes += static_cast<char>(random() % 256);
        break;
      default:
        bytes.append(random() % (round % 50 == 0 ? 5000 : 40),
                     static_cast<char>('A' + random() % 26));
    }
  }
  return bytes;
}

void Exercise(KloonMode mode, unsigned seed) {
  std::mt19937 random(seed);
  CloneImage image = testing::NumberedImage();
  const CloneImage original = image;
  Kloon kloon(image, mode, 10);
  CheckingDriver driver(kloon, random);
  driver.Run(kloon.Open());
  for (int round = 0; round < 4000; ++round) {
    switch (random() % 12) {
      case 0:
        driver.Run(kloon.StartRead(PortAddress{}));
        break;
      case 1:
        driver.Run(kloon.StartSend(PortAddress{}));
        break;
      case 2:
        driver.Run(kloon.Stop());
        break;
      case 3:
        driver.Run(kloon.OnPortLost());
        break;
      case 4:
        driver.Run(kloon.OnCloseTimer());
        break;
      case 5:
      case 6:
        driver.Run(kloon.OnPacingTimer());
        break;
      case 7:
        driver.AnswerOpen();
        break;
      default:
        driver.Run(kloon.OnBytes(RandomBytes(random, round)));
        break;
    }
    ASSERT_GE(kloon.line_counter(), 0);
    ASSERT_LE(kloon.line_counter(), Kloon::kReadMessageCount);
    ASSERT_LE(kloon.refusals(), Kloon::kMaxRefusals);
  }
  EXPECT_EQ(driver.faults, 0) << "seed " << seed;
  for (int i = 1; i <= kCloneLineCount; ++i) {
    const auto& line = image.lines[static_cast<std::size_t>(i)];
    EXPECT_TRUE(line == original.lines[static_cast<std::size_t>(i)] || IsCloneLineFor(line, i))
        << i;
  }
  EXPECT_EQ(image.lines[0], "");
  EXPECT_EQ(image.lines[254], "");
}

TEST(KloonRobustness, RandomEventsInReadModeNeverBreakTheContract) {
  for (unsigned seed = 1; seed <= 20; ++seed) Exercise(KloonMode::kRead, seed);
}

TEST(KloonRobustness, RandomEventsInSendModeNeverBreakTheContract) {
  for (unsigned seed = 1; seed <= 20; ++seed) Exercise(KloonMode::kSend, seed);
}

TEST(CloneLineCheck, AcceptsOnlyTheExactLineOfItsPlace) {
  EXPECT_TRUE(IsCloneLineFor("CLN 0000 00000000000000000000000000000000~07DD", 1));
  EXPECT_TRUE(IsCloneLineFor("CLN 0700 FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF~0AA4", 113));
  EXPECT_TRUE(IsCloneLineFor("CLN 0FC0 4A4A4A4A4A4A4A4A4A4A4A4A4A4A4A4A~0956", 253));
  EXPECT_TRUE(IsCloneLineFor("CLN 00C0 0000000000000000000000FF03000800~0827", 13));
  EXPECT_FALSE(IsCloneLineFor("CLN 0000 00000000000000000000000000000000~07DD", 2));
  EXPECT_FALSE(IsCloneLineFor("CLN 0000 00000000000000000000000000000000~07DD", 0));
  EXPECT_FALSE(IsCloneLineFor("CLN 0FD0 00000000000000000000000000000000~07F5", 254));
  EXPECT_FALSE(IsCloneLineFor("CLN 0000 00000000000000000000000000000000~07DE", 1));
  EXPECT_FALSE(IsCloneLineFor("CLN 0000 00000000000000000000000000000000-07DD", 1));
  EXPECT_FALSE(IsCloneLineFor("CLX 0000 00000000000000000000000000000000~07DD", 1));
  EXPECT_FALSE(IsCloneLineFor("CLN 0700 ffffffffffffffffffffffffffffffff~07DD", 113));
}

}  // namespace
}  // namespace talvirex
