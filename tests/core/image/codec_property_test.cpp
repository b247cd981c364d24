// Random tables through encode then decode, and random images through decode then encode.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "image/clone_line.h"
#include "image/decoders.h"
#include "image/encoders.h"
#include "image_test_util.h"
#include "model/channel_table.h"
#include "model/frequency.h"
#include "model/numeric_value.h"
#include "support/fake_ports.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex {
namespace {

constexpr std::string_view kTagAlphabet =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz/()&'.,-# ";

struct Band {
  long long first_units, last_units, step;
};
// Every band with its channel step, in 100 Hz units; the airband is the 108..137 part.
constexpr Band kBands[] = {{290000, 540000, 50},
                           {1080000, 1370000, 125},
                           {1370000, 1740000, 50},
                           {4060000, 5120000, 125},
                           {8060000, 9560000, 125}};

class RandomTable {
 public:
  explicit RandomTable(unsigned seed) : random_(seed) {}

  int Below(int limit) { return static_cast<int>(random_() % static_cast<unsigned>(limit)); }

  long long OnStepUnits() {
    const Band& band = kBands[Below(5)];
    const long long steps = (band.last_units - band.first_units) / band.step;
    return band.first_units + band.step * (static_cast<long long>(random_()) % (steps + 1));
  }

  std::string Tag() {
    std::string tag;
    const int length = Below(13);
    for (int i = 0; i < length; ++i)
      tag += kTagAlphabet[Below(static_cast<int>(kTagAlphabet.size()))];
    return tag;
  }

  std::string Flag() { return Below(2) ? "1" : "0"; }

 private:
  std::mt19937 random_;
};

struct Expected {
  std::string frequency, tag, delay, lockout, subtone, beep, att;
};

// Fills banks 1..10 of `ws` at random and returns what decoding must give back for each slot.
// Subtone codes and priority channels are swept so that every one goes through the image.
std::vector<Expected> FillAtRandom(Workspace& ws, RandomTable& random, unsigned seed) {
  std::vector<Expected> expected(kChannelCount + 1);
  for (int n = 1; n <= kChannelCount; ++n) {
    const auto cell = [&](int field) -> std::string& {
      return ws.table.At(BankOf(n), RowOf(n), field);
    };
    const bool empty = random.Below(5) == 0;
    const long long units = random.OnStepUnits();
    // Stored texts of every form a normalized table holds: padded, plain, shortest.
    const std::string text = ShortestDecimal(units / 10000.0);
    const int form = random.Below(3);
    cell(kFieldFrequency) = empty       ? (random.Below(2) ? "0" : "Empty")
                            : form == 0 ? FormatFrequencyPadded(text)
                            : form == 1 ? FormatFrequencyPlain(text)
                                        : text;
    cell(kFieldTag) = random.Tag();
    for (const int field : {kFieldDelay, kFieldLockOut, kFieldBeepAlert, kFieldAtt}) {
      cell(field) = random.Flag();
    }
    cell(kFieldSubtone) = IntText(static_cast<int>((n + seed) % (kLastSubtoneCode + 1)));

    Expected& e = expected[n];
    e.tag = cell(kFieldTag).substr(0, 10);
    e.tag.resize(10, ' ');
    if (empty) {
      e = {"0", e.tag, "0", "1", "0", "0", "0"};
    } else {
      e = {text,
           e.tag,
           cell(kFieldDelay),
           cell(kFieldLockOut),
           cell(kFieldSubtone),
           cell(kFieldBeepAlert),
           cell(kFieldAtt)};
    }
  }
  for (int b = 0; b < kScannerBanks; ++b) {
    ws.priority[b] = 1 + static_cast<int>((seed * kScannerBanks + b) % kChannelCount);
  }
  for (int i = 0; i <= 13; ++i) ws.scanner_settings[i] = random.Below(2);
  return expected;
}

TEST(CodecProperty, RandomTablesSurviveEncodeThenDecode) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    RandomTable random(seed);
    Workspace sent;
    const std::vector<Expected> expected = FillAtRandom(sent, random, seed);
    create_senddata(sent);

    Workspace received;
    received.clone_image = sent.clone_image;
    testing::ScriptedUi ui;
    filter_image(received, ui);
    EXPECT_TRUE(ui.shown.empty());
    for (int n = 1; n <= kChannelCount; ++n) {
      const auto got = [&](int field) { return received.table.At(BankOf(n), RowOf(n), field); };
      const Expected& e = expected[n];
      ASSERT_EQ(got(kFieldFrequency), e.frequency) << "seed " << seed << " slot " << n;
      ASSERT_EQ(got(kFieldTag), e.tag) << "seed " << seed << " slot " << n;
      ASSERT_EQ(got(kFieldDelay), e.delay) << "seed " << seed << " slot " << n;
      ASSERT_EQ(got(kFieldLockOut), e.lockout) << "seed " << seed << " slot " << n;
      ASSERT_EQ(got(kFieldSubtone), e.subtone) << "seed " << seed << " slot " << n;
      ASSERT_EQ(got(kFieldBeepAlert), e.beep) << "seed " << seed << " slot " << n;
      ASSERT_EQ(got(kFieldAtt), e.att) << "seed " << seed << " slot " << n;
    }
    for (int b = 0; b < kScannerBanks; ++b) EXPECT_EQ(received.priority[b], sent.priority[b]);
    for (int i = 0; i <= 13; ++i) EXPECT_EQ(received.scanner_settings[i], sent.scanner_settings[i]);
  }
}

TEST(CodecProperty, EveryOnStepFrequencyOfEveryBandComesBack) {
  // 200 channels a round, until every step of every band has been through the image.
  for (const Band& band : kBands) {
    for (long long first = band.first_units; first <= band.last_units; first += band.step * 200) {
      Workspace ws;
      const auto units = [&](int n) {
        return std::min(first + band.step * (n - 1), band.last_units);
      };
      for (int n = 1; n <= kChannelCount; ++n) {
        ws.table.At(BankOf(n), RowOf(n), kFieldFrequency) =
            FormatFrequencyPadded(ShortestDecimal(units(n) / 10000.0));
      }
      create_senddata(ws);
      testing::ScriptedUi ui;
      filter_image(ws, ui);
      for (int n = 1; n <= kChannelCount; ++n) {
        ASSERT_EQ(ws.table.At(BankOf(n), RowOf(n), kFieldFrequency),
                  ShortestDecimal(units(n) / 10000.0));
      }
    }
  }
}

// True for the hex characters that the codec interprets; every other one must pass untouched.
bool IsInterpreted(int address, bool high) {
  if (address == 0x00CA) return high;
  if (address == 0x00CB) return true;
  if (address == 0x00CC || address == 0x00CD || address == 0x00CF) return !high;
  if (address >= 0x00D0 && address <= 0x00D9) return true;
  if (address >= 0x00E0 && address <= 0x01A7) return high;
  if (address == 0x01C0) return !high;
  if (address >= 0x0400 && address <= 0x066F) return true;
  if (address >= 0x0700 && address <= 0x07C7) return true;
  return address >= 0x0800;
}

TEST(CodecProperty, RandomImagesKeepEveryUninterpretedCharacter) {
  std::mt19937 random(2026);
  for (int round = 0; round < 20; ++round) {
    CloneImage original;
    for (int i = 1; i <= kCloneLineCount; ++i) {
      std::string data(32, '0');
      for (char& c : data) c = HexDigit(static_cast<int>(random() % 16));
      original.lines[i] = FinishCloneLine(CloneLineBody(i, data));
    }
    Workspace ws;
    ws.clone_image = original;
    testing::ScriptedUi ui;
    filter_image(ws, ui);
    create_senddata(ws);
    for (int address = 0; address < kCloneImageBytes; ++address) {
      const std::string before = testing::ByteText(original, address);
      const std::string after = testing::ByteText(ws.clone_image, address);
      if (!IsInterpreted(address, true)) {
        ASSERT_EQ(after[0], before[0]) << std::hex << address;
      }
      if (!IsInterpreted(address, false)) {
        ASSERT_EQ(after[1], before[1]) << std::hex << address;
      }
    }
    for (int i = 1; i <= kCloneLineCount; ++i) {
      ASSERT_EQ(FinishCloneLine(ws.clone_image.lines[i]), ws.clone_image.lines[i]);
      ASSERT_EQ(ws.clone_image.lines[i].substr(0, 9), original.lines[i].substr(0, 9));
    }
  }
}

}  // namespace
}  // namespace talvirex
