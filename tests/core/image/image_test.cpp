// SPDX-License-Identifier: GPL-3.0-or-later
// The clone image: its checksum, a table with nothing to send, random tables through encode then
// decode and random images back, and the image file. The golden sends and decodes, with damaged
// lines and characters that are no hex digits among them, are in formats_test.cpp.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "image/clone_line.h"
#include "image/decoders.h"
#include "image/encoders.h"
#include "image/image_file.h"
#include "image/memory_map.h"
#include "model/frequency.h"
#include "model/numeric_value.h"
#include "support/fake_ports.h"
#include "support/golden.h"
#include "support/temp_dir.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

// The byte at `address` of a clone image, read independently of the codec's own accessors.
std::string ByteText(const CloneImage& image, int address) {
  return image.lines[address / 16 + 1].substr(9 + 2 * (address % 16), 2);
}
CloneImage DefaultImage() {
  CloneImage image;
  BuildDefaultImage(image);
  return image;
}

// The factory image, whose every line carries its checksum, is a golden file (formats_test.cpp).
TEST(CloneChecksum, WeighsTheAddressAndDataDigits) {
  ExpectTable("tables/clone_checksums.txt", [](const std::string& line) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%04X", CloneChecksum(line));
    return std::string(hex);
  });
}

TEST(CreateSenddata, ATableEmptyOutsideTheDummyBankGivesTheDefaultImageEveryTime) {
  Workspace ws;
  ws.table.At(kDummyBank, 1, kFieldFrequency) = "145.5000";
  ws.table.At(kDummyBank, 1, kFieldTag) = "Scratch";
  for (int run = 0; run < 2; ++run) {
    create_senddata(ws);
    EXPECT_EQ(ws.clone_image, DefaultImage()) << run;
  }
}

using namespace image_map;

// Every band with its channel step, in 100 Hz units; the airband is the 108..137 part.
struct Band {
  long long first, last, step;
};
constexpr Band kBands[] = {{290000, 540000, 50},
                           {1080000, 1370000, 125},
                           {1370000, 1740000, 50},
                           {4060000, 5120000, 125},
                           {8060000, 9560000, 125}};

std::string& Field(Workspace& ws, int n, int field) {
  return ws.table.At(BankOf(n), RowOf(n), field);
}

// Fields 1..7 of channel n joined by "|".
std::string Channel(Workspace& ws, int n) {
  std::string text = Field(ws, n, 1);
  for (int field = 2; field <= 7; ++field) text += "|" + Field(ws, n, field);
  return text;
}

void EncodeThenDecode(Workspace& ws) {
  create_senddata(ws);
  const CloneImage sent = ws.clone_image;
  ws = Workspace{};
  ws.clone_image = sent;
  ScriptedUi ui;
  filter_image(ws, ui);
  EXPECT_TRUE(ui.shown.empty());
}

// Random channels in every form a normalized table holds (padded, plain, shortest), empty ones,
// every subtone code and priority channel in turn, random flags and options.
TEST(CodecProperty, RandomTablesSurviveEncodeThenDecode) {
  constexpr std::string_view kTagAlphabet =
      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz/()&'.,-# ";
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    const auto below = [&](int limit) {
      return static_cast<int>(random() % static_cast<unsigned>(limit));
    };
    Workspace ws;
    std::vector<std::string> expected(kChannelCount + 1);
    for (int n = 1; n <= kChannelCount; ++n) {
      const Band& band = kBands[below(5)];
      const long long units =
          band.first + band.step * (random() % ((band.last - band.first) / band.step + 1));
      const std::string text = ShortestDecimal(units / 10000.0);
      const int form = below(4);
      Field(ws, n, kFieldFrequency) = form == 0   ? FormatFrequencyPadded(text)
                                      : form == 1 ? FormatFrequencyPlain(text)
                                      : form == 2 ? text
                                                  : (below(2) ? "0" : "Empty");
      std::string tag;
      for (int i = below(13); i > 0; --i)
        tag += kTagAlphabet[below(static_cast<int>(kTagAlphabet.size()))];
      Field(ws, n, kFieldTag) = tag;
      for (const int field : {kFieldDelay, kFieldLockOut, kFieldBeepAlert, kFieldAtt}) {
        Field(ws, n, field) = below(2) ? "1" : "0";
      }
      Field(ws, n, kFieldSubtone) = IntText(static_cast<int>((n + seed) % (kLastSubtoneCode + 1)));
      tag.resize(10, ' ');
      expected[n] =
          form == 3 ? "0|" + tag.substr(0, 10) + "|0|1|0|0|0" : text + "|" + tag.substr(0, 10);
      for (const int field :
           {kFieldDelay, kFieldLockOut, kFieldSubtone, kFieldBeepAlert, kFieldAtt}) {
        if (form != 3) expected[n] += "|" + Field(ws, n, field);
      }
    }
    for (int b = 0; b < kScannerBanks; ++b)
      ws.priority[b] = 1 + static_cast<int>((seed * kScannerBanks + b) % kChannelCount);
    for (int i = 0; i <= 13; ++i) ws.scanner_settings[i] = below(2);
    const Workspace sent = ws;
    EncodeThenDecode(ws);
    for (int n = 1; n <= kChannelCount; ++n)
      ASSERT_EQ(Channel(ws, n), expected[n]) << "seed " << seed << " slot " << n;
    EXPECT_TRUE(std::equal(sent.priority.begin(), sent.priority.begin() + 10, ws.priority.begin()));
    EXPECT_TRUE(std::equal(sent.scanner_settings.begin(), sent.scanner_settings.begin() + 14,
                           ws.scanner_settings.begin()));
  }
}

TEST(CodecProperty, EveryOnStepFrequencyOfEveryBandComesBack) {
  for (const Band& band : kBands) {  // 200 channels a round
    for (long long first = band.first; first <= band.last; first += band.step * 200) {
      Workspace ws;
      const auto units = [&](int n) { return std::min(first + band.step * (n - 1), band.last); };
      for (int n = 1; n <= kChannelCount; ++n) {
        Field(ws, n, kFieldFrequency) = FormatFrequencyPadded(ShortestDecimal(units(n) / 10000.0));
      }
      EncodeThenDecode(ws);
      for (int n = 1; n <= kChannelCount; ++n) {
        ASSERT_EQ(Field(ws, n, kFieldFrequency), ShortestDecimal(units(n) / 10000.0));
      }
    }
  }
}

// True for the hex characters that the codec interprets; every other one must pass untouched.
bool IsInterpreted(int address, bool high) {
  if (address == 0x00CA) return high;
  if (address == 0x00CB || (address >= 0x00D0 && address <= 0x00D9)) return true;
  if (address == 0x00CC || address == 0x00CD || address == 0x00CF || address == 0x01C0)
    return !high;
  if (address >= 0x00E0 && address <= 0x01A7) return high;
  return (address >= 0x0400 && address <= 0x066F) || (address >= 0x0700 && address <= 0x07C7) ||
         address >= 0x0800;
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
    ScriptedUi ui;
    filter_image(ws, ui);
    create_senddata(ws);
    for (int address = 0; address < kCloneImageBytes; ++address) {
      const std::string before = ByteText(original, address),
                        after = ByteText(ws.clone_image, address);
      for (const int half : {0, 1}) {
        ASSERT_TRUE(IsInterpreted(address, half == 0) || after[half] == before[half])
            << std::hex << address;
      }
    }
    for (int i = 1; i <= kCloneLineCount; ++i) {
      ASSERT_EQ(FinishCloneLine(ws.clone_image.lines[i]), ws.clone_image.lines[i]);
      ASSERT_EQ(ws.clone_image.lines[i].substr(0, 9), original.lines[i].substr(0, 9));
    }
  }
}

const std::filesystem::path kImages = std::filesystem::path(TALVIREX_TEST_DATA) / "image";
const CloneImage kDefault = DefaultImage();

// The message of a refused file, or "" when it is read.
std::string Refusal(const std::filesystem::path& file, std::vector<int>* rebuilt = nullptr) {
  const auto result = LoadImageFile(file, rebuilt);
  return std::holds_alternative<ImageFileError>(result) ? std::get<ImageFileError>(result).message
                                                        : "";
}

// tests/data/image: image files as they may come (stored reads, damaged copies, other line ends,
// files that are no image), each with what loading it gives, in files.txt beside them.
TEST(LoadImageFile, ReadsOrRefusesEachFileAsItsGoldenFileSays) {
  std::string results;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(kImages)) {
    if (entry.path().extension() == ".img") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  files.push_back(kImages / "none.img");  // a file that is not there
  for (const auto& file : files) {
    const auto result = LoadImageFile(file);
    const auto* image = std::get_if<CloneImage>(&result);
    results += file.filename().string() + ": " +
               (image == nullptr     ? std::get<ImageFileError>(result).message
                : *image == kDefault ? "read, the factory image"
                                     : "read") +
               "\n";
  }
  const std::string folder = kImages.string() + "/";  // the missing file's message names it
  for (auto at = results.find(folder); at != std::string::npos; at = results.find(folder)) {
    results.erase(at, folder.size());
  }
  ExpectGolden("image/files.txt", results);
  EXPECT_EQ(LineNumbersText({7, 40, 41}), "lines 7, 40 and 41");
}

TEST(LoadImageFile, RebuildsWrongChecksumsOnlyWhenAskedAndNamesTheLines) {
  std::vector<int> rebuilt;
  const auto repaired = LoadImageFile(kImages / "bad-checksums.img", &rebuilt);
  ASSERT_TRUE(std::holds_alternative<CloneImage>(repaired));
  EXPECT_EQ(rebuilt, (std::vector<int>{13, 200}));
  const auto sample = std::get<CloneImage>(LoadImageFile(kImages / "sample.img"));
  const auto& image = std::get<CloneImage>(repaired);
  for (int i = 1; i <= kCloneLineCount; ++i) {
    EXPECT_EQ(CheckCloneLine(image.lines[i], i), CloneLineFault::kNone) << i;
    // Only the checksum is new: the damaged content stays as the file has it.
    EXPECT_EQ(image.lines[i] == sample.lines[i], i != 13 && i != 200) << i;
  }
  rebuilt.clear();  // a misplaced line is no checksum fault: it stays refused
  EXPECT_NE(Refusal(kImages / "swapped.img", &rebuilt), "");
  EXPECT_TRUE(rebuilt.empty());

  const TempDir dir;  // and what ImageFileText writes reads back
  WriteBytes(dir / "scanner.img", ImageFileText(kDefault));
  EXPECT_EQ(std::get<CloneImage>(LoadImageFile(dir / "scanner.img")), kDefault);
}

}  // namespace
}  // namespace talvirex::testing
