#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/link/kloon_test_support.h"
#include "link/kloon.h"

namespace talvirex {
namespace {

using testing::CloneLineFor;
using testing::Recorder;

constexpr std::string_view kReadInstructions =
    "SportCat 200 file download:\r\n  \r\n - Switch SC200 OFF.\r\n"
    " - Press and hold 'E' button while switching power ON\r\n - Display must show: MASTER.\r\n"
    " - Close this window by pressing OK and then press E at keypad to start data transfer.";

// A read window on its own image, with the port already open.
class ReadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 1; i <= kCloneLineCount; ++i) image.lines[static_cast<std::size_t>(i)] = "old";
    rec.Take(kloon.Open());
    rec.Take(kloon.StartRead(PortAddress{3, ""}));
    rec.Take(kloon.OnPortOpened(PortOpenResult::kOpened));
  }
  void Receive(std::string_view bytes) { rec.Take(kloon.OnBytes(bytes)); }
  // The scanner's whole backup stream for lines 1..`lines`, then "END".
  static std::string Stream(int lines) {
    std::string stream = "MDL\r";
    for (int i = 1; i <= lines; ++i) stream += CloneLineFor(i, i) + "\r";
    return stream + "END\r";
  }

  CloneImage image;
  Kloon kloon{image, KloonMode::kRead, 50};
  Recorder rec;
};

TEST_F(ReadTest, OpeningShowsTheInstructionsAndWaits) {
  EXPECT_EQ(kloon.Caption(), "Read Data");
  EXPECT_EQ(rec.statuses,
            (std::vector<std::string>{"None.", "Backup.", "Waiting for E key pressed"}));
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0], kReadInstructions);
  EXPECT_EQ(rec.buttons, (SetButtons{false, false, true}));
  EXPECT_EQ(rec.Count<DiscardInput>(), 1);
  EXPECT_TRUE(kloon.transferring());
}

TEST_F(ReadTest, FullReadInAwkwardChunksStoresEveryLineAndDecodes) {
  const std::string stream = Stream(kCloneLineCount);
  // Pieces of 7 bytes: every message is split, many reads carry the end of one and the start of
  // the next.
  for (std::size_t at = 0; at < stream.size(); at += 7)
    Receive(std::string_view(stream).substr(at, 7));

  ASSERT_EQ(rec.writes.size(), 254u);
  EXPECT_EQ(rec.writes.front(), "SC200SPOR\r");
  for (std::size_t i = 1; i < rec.writes.size(); ++i) EXPECT_EQ(rec.writes[i], "OK\r");
  for (int i = 1; i <= kCloneLineCount; ++i) {
    EXPECT_EQ(image.lines[static_cast<std::size_t>(i)], CloneLineFor(i, i));
  }
  EXPECT_EQ(image.lines[0], "");
  EXPECT_EQ(image.lines[254], "");

  ASSERT_GE(rec.progress.size(), 2u);
  EXPECT_EQ(rec.progress[rec.progress.size() - 2].percent, 99);  // after line 253: 254 / 255
  EXPECT_EQ(rec.progress.back().percent, 0);
  EXPECT_EQ(rec.statuses[3], "MDL received 200.");
  EXPECT_EQ(rec.statuses[4], "RX Data transfer in progress: 2");
  EXPECT_EQ(rec.statuses.back(), "END received. Backup status: OK.");
  EXPECT_EQ(rec.decodes, 1);
  EXPECT_EQ(rec.closes, 1);
  EXPECT_EQ(rec.close_timer, 500);
  EXPECT_EQ(rec.ended, std::vector<Outcome>{Outcome::kComplete});
  EXPECT_EQ(rec.buttons, (SetButtons{true, false, false}));
  EXPECT_EQ(rec.window_closes, 0);

  rec.Take(kloon.OnCloseTimer());
  EXPECT_EQ(rec.window_closes, 1);
}

TEST_F(ReadTest, RefusesEveryDamagedLineAndStoresTheRepeatAtTheSameIndex) {
  const std::string good = CloneLineFor(1, 0x5A);
  std::string bad_checksum = good;
  bad_checksum[45] = bad_checksum[45] == '0' ? '1' : '0';
  std::string bad_digit = good;
  bad_digit[20] = 'G';
  const std::vector<std::string> damaged = {
      good.substr(0, 45),     // 45 characters
      CloneLineFor(2, 0x5A),  // the next line's address
      bad_checksum,
      bad_digit,
      "CLN 0000",
  };
  Receive("MDL\r");
  int refused = 0;
  for (const auto& line : damaged) {
    rec.ClearWrites();
    Receive(line + "\r");
    ++refused;
    EXPECT_EQ(rec.writes, std::vector<std::string>{"NG\r"}) << line;
    EXPECT_EQ(rec.rejected, refused) << line;
    EXPECT_EQ(kloon.line_counter(), 1) << line;
    EXPECT_EQ(image.lines[1], "old") << line;
  }
  rec.ClearWrites();
  Receive(good + "\r");
  EXPECT_EQ(rec.writes, std::vector<std::string>{"OK\r"});
  EXPECT_EQ(image.lines[1], good);
  EXPECT_EQ(kloon.line_counter(), 2);
}

TEST_F(ReadTest, EndAfterHundredLinesIsBadAndDoesNotDecode) {
  Receive(Stream(100));
  EXPECT_EQ(rec.messages.back(), "Clone end. Transfer Bad.");
  EXPECT_EQ(rec.statuses.back(), "END received. Backup status: Bad. 102");
  EXPECT_EQ(rec.progress.back().percent, 0);
  EXPECT_EQ(rec.decodes, 0);
  EXPECT_EQ(rec.closes, 1);
  EXPECT_EQ(rec.ended, std::vector<Outcome>{Outcome::kBadRead});
  EXPECT_EQ(rec.buttons, (SetButtons{true, false, false}));
  EXPECT_EQ(image.lines[100], CloneLineFor(100, 100));
  EXPECT_EQ(image.lines[101], "old");
  EXPECT_FALSE(kloon.transferring());
}

TEST_F(ReadTest, LinesBeforeTheModelQuestionAndBeyondTheLastAreRefused) {
  Receive(CloneLineFor(1, 1) + "\r");
  EXPECT_EQ(rec.writes, std::vector<std::string>{"NG\r"});
  EXPECT_EQ(image.lines[1], "old");
  const std::string stream = Stream(kCloneLineCount);
  Receive(stream.substr(0, stream.size() - 4));
  rec.ClearWrites();
  Receive(CloneLineFor(254, 0) + "\r");
  EXPECT_EQ(rec.writes, std::vector<std::string>{"NG\r"});
  EXPECT_EQ(image.lines[254], "");
}

TEST_F(ReadTest, StopMidReadKeepsStoredLinesIgnoresLaterBytesAndANewReadStartsClean) {
  Receive("MDL\r" + CloneLineFor(1, 9) + "\rCLN 00");  // half a line pending
  rec.Take(kloon.Stop());
  EXPECT_EQ(rec.statuses.back(), "Operation cancelled by user.");
  EXPECT_EQ(rec.closes, 1);
  EXPECT_EQ(rec.ended, std::vector<Outcome>{Outcome::kCancelled});
  EXPECT_EQ(rec.buttons, (SetButtons{true, false, true}));
  EXPECT_EQ(kloon.line_counter(), 0);
  EXPECT_EQ(image.lines[1], CloneLineFor(1, 9));
  rec.ClearWrites();
  Receive(CloneLineFor(2, 9) + "\rEND\r");
  EXPECT_TRUE(rec.writes.empty());
  EXPECT_EQ(rec.decodes, 0);

  rec.Take(kloon.StartRead(PortAddress{3, ""}));
  rec.Take(kloon.OnPortOpened(PortOpenResult::kOpened));
  Receive(Stream(kCloneLineCount));
  EXPECT_EQ(rec.rejected, std::nullopt);
  EXPECT_EQ(rec.ended, (std::vector<Outcome>{Outcome::kCancelled, Outcome::kComplete}));
}

TEST(ReadStart, PortFailuresLeaveTheWindowReadyForAnotherAttempt) {
  constexpr const char* kNoPermission =
      "No permission to open the comport.\r\nYour user must be in the 'dialout' group: sudo "
      "adduser $USER dialout, then log in again.";
  const struct {
    PortOpenResult result;
    const char* text;
    const char* status;
    const char* log;  // the log line under the status: a permission problem names its fix
  } cases[] = {
      {PortOpenResult::kNotAvailable, "Comport not available.", "Select different comport.", ""},
      {PortOpenResult::kInUse, "Comport already in use.", "Select different comport.", ""},
      {PortOpenResult::kNoPermission, kNoPermission, "No permission for the comport.",
       kNoPermission},
  };
  for (const auto& [result, text, status, log] : cases) {
    CloneImage image;
    Kloon kloon(image, KloonMode::kRead, 50);
    Recorder rec;
    rec.Take(kloon.Open());
    rec.Take(kloon.StartRead(PortAddress{0, ""}));
    EXPECT_EQ(rec.opens, 1);
    rec.Take(kloon.OnPortOpened(result));
    EXPECT_EQ(rec.messages, std::vector<std::string>{text});
    EXPECT_EQ(rec.statuses.back(), status);
    EXPECT_EQ(rec.refusal_log, *log ? "\r\n" + std::string(log) : "");
    EXPECT_EQ(rec.buttons, (SetButtons{true, false, true}));
    EXPECT_EQ(rec.closes, 0);
    EXPECT_FALSE(kloon.transferring());
    rec.Take(kloon.OnBytes("MDL\r"));
    EXPECT_TRUE(rec.writes.empty());
    rec.Take(kloon.StartRead(PortAddress{2, ""}));
    EXPECT_EQ(rec.opens, 2);
  }
}

TEST(ReadStart, StopWhileThePortOpensGivesThePortBackWhenItArrives) {
  CloneImage image;
  Kloon kloon(image, KloonMode::kRead, 50);
  Recorder rec;
  rec.Take(kloon.StartRead(PortAddress{1, ""}));
  rec.Take(kloon.Stop());
  EXPECT_EQ(rec.ended, std::vector<Outcome>{Outcome::kCancelled});
  EXPECT_EQ(rec.closes, 0);
  // Until the first open is answered, a new start could not tell the answers apart.
  EXPECT_TRUE(kloon.StartRead(PortAddress{1, ""}).empty());
  rec.Take(kloon.OnPortOpened(PortOpenResult::kOpened));
  EXPECT_EQ(rec.closes, 1);
  EXPECT_TRUE(rec.messages.empty());
  EXPECT_EQ(kloon.StartRead(PortAddress{1, ""}).size(), 3u);
}

}  // namespace
}  // namespace talvirex
