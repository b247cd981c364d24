// SPDX-License-Identifier: GPL-3.0-or-later
// The file formats against golden files: in tests/data/golden an input and, beside it, what each
// writer makes of it; in tests/data/channel channel files and in tests/data/decode clone images
// as they may come, each with what a read leaves. Then what the golden files cannot show: the diff
// of two tables, a print job's pages and writes that fail. The CSV export as a user runs it is in
// the window sessions (tests/data/editor/window.txt).

#include <gtest/gtest.h>

#include <sstream>

#include "files/channel_diff.h"
#include "files/channel_file.h"
#include "files/csv_export.h"
#include "files/print_form.h"
#include "image/clone_image.h"
#include "image/decoders.h"
#include "image/encoders.h"
#include "image/image_file.h"
#include "support/fake_ports.h"
#include "support/golden.h"
#include "support/print_log.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

const std::filesystem::path kData = TALVIREX_TEST_DATA;

Workspace Read(const std::string& name) {
  Workspace ws;
  ScriptedUi ui;
  const auto failure = ReadChannelFile(ReadBytes(kData / "golden" / name), ws, ui);
  EXPECT_FALSE(failure.has_value()) << failure->message;
  ws.file_name = name;
  return ws;
}

CloneImage Image(const std::filesystem::path& path) {
  auto image = LoadImageFile(path);
  EXPECT_TRUE(std::holds_alternative<CloneImage>(image)) << path;
  return std::holds_alternative<CloneImage>(image) ? std::get<CloneImage>(image) : CloneImage{};
}

std::string Decoded(const CloneImage& image) {
  Workspace ws;
  ws.clone_image = image;
  ScriptedUi ui;
  filter_image(ws, ui);
  EXPECT_TRUE(ui.shown.empty());
  return ChannelFileBytes(ws);
}

TEST(Golden, ChannelFileAtStartUpAndReadThenWritten) {
  ExpectGolden("startup.s2c", ChannelFileBytes(Workspace{}));
  ExpectGolden("table.resaved.s2c", ChannelFileBytes(Read("table.s2c")));
}

TEST(Golden, CsvExportOfAllBanks) {
  Workspace ws = Read("table.s2c");
  ws.current_bank = kDummyBank;
  ExportCsvForm form;
  form.SelectOption(ExportCsvForm::kAllBanks);
  std::ostringstream out;
  ScriptedUi ui;
  EXPECT_FALSE(WriteCsv(ws.table, form.BanksToExport(ws.current_bank), out, ui));
  EXPECT_TRUE(ui.shown.empty());
  ExpectGolden("table.csv", out.str());
}

TEST(Golden, PrintOfAllBanks) {
  PrintForm form;
  form.SelectOption(PrintForm::kAllBanks);
  PrintLog sink;
  ScriptedUi ui;
  const Workspace ws = Read("table.s2c");
  form.Print(ws, ws.current_bank, {"05/12/2026"}, sink, ui);
  EXPECT_TRUE(ui.shown.empty());
  ExpectGolden("table.print.txt", sink.log);
}

// The factory image; a send built on odd.img (a stored read with bytes no encoder writes, and low
// flag nibbles the encoders must keep); decodes of the send, of odd.img and of the factory image.
TEST(Golden, CloneImageEncodeAndDecode) {
  CloneImage factory;
  BuildDefaultImage(factory);
  ExpectGolden("default.img", ImageFileText(factory));
  Workspace ws = Read("table.s2c");
  ws.clone_image = Image(kData / "golden" / "odd.img");
  create_senddata(ws);
  ExpectGolden("table.img", ImageFileText(ws.clone_image));
  ExpectGolden("table.decoded.s2c", Decoded(ws.clone_image));
  ExpectGolden("odd.decoded.s2c", Decoded(Image(kData / "golden" / "odd.img")));
  ExpectGolden("default.decoded.s2c", Decoded(factory));
}

std::string ToText(const std::string& text) { return text; }
std::string ToText(int number) { return std::to_string(number); }

// What a read leaves in the workspace: every row that differs from a new one, then the lists.
std::string Held(const Workspace& ws) {
  const Workspace fresh;
  std::string text;
  for (int bank = 0; bank < kBankSlots; ++bank) {
    for (int row = 0; row < kRows; ++row) {
      std::string cells;
      bool differs = false;
      for (int field = 0; field < kFields; ++field) {
        cells += (field > 0 ? "|" : "") + ws.table.At(bank, row, field);
        differs = differs || ws.table.At(bank, row, field) != fresh.table.At(bank, row, field);
      }
      if (differs) text += std::to_string(bank) + "." + std::to_string(row) + " " + cells + "\n";
    }
  }
  const auto list = [&](const char* name, const auto& items) {
    text += name;
    for (const auto& item : items) text += " " + ToText(item);
    text += "\n";
  };
  list("names", ws.bank_names);
  list("priority", ws.priority);
  list("settings", ws.scanner_settings);
  list("search", ws.search_range);
  return text;
}

// tests/data/channel: files read over a workspace that already holds data, as NAME.read beside
// each says: what the read reported, and what the workspace then holds.
TEST(ChannelFile, ReadsAsItsGoldenFilesSay) {
  for (const auto& entry : std::filesystem::directory_iterator(kData / "channel")) {
    if (entry.path().extension() != ".s2c") continue;
    SCOPED_TRACE(entry.path().filename().string());
    Workspace ws;
    ws.table.At(0, 1, kFieldFrequency) = "145.5000";
    ws.table.At(kDummyBank, 3, kFieldFrequency) = "145.0000";
    ws.table.At(kDummyBank, 3, kFieldTag) = "scratch";
    ws.search_range = {"25", "30", "x"};
    ws.bank_names[4] = "kept";
    ws.table.At(11, 1, kFieldTag) = "Edge";
    ScriptedUi ui;
    const auto failure = ReadChannelFile(ReadBytes(entry.path()), ws, ui);
    std::string report = "read\n";
    if (failure) {
      report = failure->message + "\ncode " + ToText(failure->code) +
               (failure->not_compatible ? ", not compatible\n" : "\n");
    }
    EXPECT_TRUE(ui.shown.empty());
    std::filesystem::path golden = "channel" / entry.path().filename();
    ExpectGolden(golden.replace_extension(".read").string(), report + Held(ws));
  }
}

// tests/data/decode: images as they may come from a scanner or a disk (characters that are no
// hex digits, lines cut short, missing or unfinished), decoded over a workspace that already holds
// data and encoded again, as NAME.decoded beside each says: what the decoder said, what the
// workspace then holds, and the lines a send would carry that differ from the image's.
TEST(CloneImage, DecodesAndSendsAsItsGoldenFilesSay) {
  for (const auto& entry : std::filesystem::directory_iterator(kData / "decode")) {
    if (entry.path().extension() != ".img") continue;
    SCOPED_TRACE(entry.path().filename().string());
    Workspace ws;
    ws.table.At(kDummyBank, 4, kFieldFrequency) = "145.5";
    ws.table.At(11, 1, kFieldTag) = "kept";
    ws.table.At(0, 21, kFieldFrequency) = "spare";
    ws.scanner_settings[15] = 7;
    ws.priority[10] = 99;
    std::istringstream file(ReadBytes(entry.path()));
    for (int i = 1; i <= kCloneLineCount; ++i) std::getline(file, ws.clone_image.lines[i]);
    const CloneImage read = ws.clone_image;
    ScriptedUi ui;
    filter_image(ws, ui);
    std::string report = "said";
    for (const std::string& text : ui.Texts()) report += " " + Escaped(text);
    report += "\nbusy";
    for (const bool busy : ui.busy_changes) report += busy ? " on" : " off";
    report += "\n" + Held(ws) + "sent\n";
    create_senddata(ws);
    for (int i = 1; i <= kCloneLineCount; ++i) {
      if (ws.clone_image.lines[i] != read.lines[i])
        report += ToText(i) + " " + ws.clone_image.lines[i] + "\n";
    }
    std::filesystem::path golden = "decode" / entry.path().filename();
    ExpectGolden(golden.replace_extension(".decoded").string(), report);
  }
}

TEST(ChannelFile, QuotesAndLineBreaksAreWrittenAsBlanksAndTextIsWindows1252) {
  Workspace written;
  written.table.At(0, 1, kFieldTag) = "Say \"hi\"\r\nX";
  written.table.At(0, 2, kFieldTag) = "Flughafen Zürich €";
  written.bank_names[0] = "Two\nlines";
  written.bank_names[1] = "A \"quoted\" name";  // a line record reads quotes back fine
  const std::string bytes = ChannelFileBytes(written);
  EXPECT_NE(bytes.find("Z\xFCrich \x80"), std::string::npos);
  Workspace read;
  ScriptedUi ui;
  ASSERT_FALSE(ReadChannelFile(bytes, read, ui));
  EXPECT_EQ(read.table.At(0, 1, kFieldTag), "Say  hi   X");
  EXPECT_EQ(read.table.At(0, 2, kFieldTag), "Flughafen Zürich €");
  EXPECT_EQ(read.bank_names[0] + "|" + read.bank_names[1], "Two lines|A \"quoted\" name");
  std::string garbage = "TALVIREX MEM V0.91\r\n";  // and one line of several megabytes
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  garbage += std::string(3u << 20, 'x');
  const auto failure = ReadChannelFile(garbage, read, ui);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->code, kErrorInputPastEnd);
}

// Only channels in use are compared, as a send writes them (a padded tag, "None" and "0", each
// On/Off field by its own flag); then the lists, entry by entry.
TEST(DiffTables, ListsWhatDiffersInChannelsInUseAndInTheLists) {
  Document a, b;
  a.table.At(0, 1, kFieldFrequency) = " 145.12";
  b.table.At(0, 1, kFieldFrequency) = "145.1200";
  b.table.At(0, 1, kFieldTag) = "T";
  a.table.At(0, 2, kFieldFrequency) = b.table.At(0, 2, kFieldFrequency) = "146.5";
  a.table.At(0, 2, kFieldTag) = "X";
  b.table.At(0, 2, kFieldTag) = "X         ";
  a.table.At(0, 2, kFieldSubtone) = "None";
  b.table.At(0, 2, kFieldSubtone) = "0";
  b.table.At(0, 2, kFieldDelay) = "1";
  a.table.At(1, 2, kFieldTag) = "unused";
  b.table.At(9, 20, kFieldFrequency) = "146";
  b.bank_names[10] = "D";
  b.priority[9] = 7;
  b.scanner_settings[20] = 1;
  b.search_range[1] = "140";
  EXPECT_EQ(DiffTables(a, b),
            (std::vector<std::string>{
                "Channel 1 (Bank 1, row 1): Tag \"\" -> \"T\"",
                "Channel 2 (Bank 1, row 2): Delay \"\" -> \"1\"",
                "Channel 200 (Bank 10, row 20): Freq. (MHz) \"\" -> \"146\"",
                "Bank name 10: \"Dummy\" -> \"D\"", "Priority channel of bank index 9: 181 -> 7",
                "Scanner setting 20: 0 -> 1", "Search range 1: \"\" -> \"140\""}));
}

// A buffer that refuses the writes whose number falls in [first, last].
class RefusingBuffer : public std::stringbuf {
 public:
  RefusingBuffer(int first, int last) : first_(first), last_(last) {}

 protected:
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    ++writes_;
    return writes_ >= first_ && writes_ <= last_ ? 0 : std::stringbuf::xsputn(s, n);
  }

 private:
  int first_, last_, writes_ = 0;
};

TEST(WriteCsv, AFailedWriteStopsTheBankAndGoesOnWithTheNext) {
  Workspace ws;
  RefusingBuffer buffer(7, 7);  // a line is two writes (text, CR LF): write 7 is row 3 of bank 0
  std::ostream out(&buffer);
  ScriptedUi ui;
  EXPECT_FALSE(WriteCsv(ws.table, {0, 1}, out, ui));
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_TRUE(ui.shown[0].text.starts_with("Problem in export bank sub 0 3\r\n Err = "))
      << ui.shown[0].text;
  const std::string written = buffer.str();
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1 + 2 + 20);

  RefusingBuffer none(1, 1000);  // the header's failure is the caller's to report
  std::ostream refused(&none);
  EXPECT_TRUE(WriteCsv(ws.table, {0}, refused, ui));
}

// A print job as the print log writes it down, then what the user was told. The form is opened
// as the window opens it, which chooses the shown bank again; `all_banks` is chosen after that.
std::string PrintJob(int bank, bool all_banks, PrintLog sink) {
  Workspace ws;
  ws.current_bank = bank;
  PrintForm form;
  form.SelectOption(PrintForm::kAllBanks);
  form.Open();
  if (all_banks) form.SelectOption(PrintForm::kAllBanks);
  ScriptedUi ui;
  form.Print(ws, ws.current_bank, {"05/12/2026"}, sink, ui);
  for (const std::string& text : ui.Texts()) sink.log += "told " + Escaped(text) + "\n";
  return sink.log;
}

// The shown bank, the Dummy bank too, is page 1 of 1; a page just big enough for the rule and the
// footer; a failing page ends that page only, and a failing job is reported.
TEST(Golden, PrintJobsOfTheShownBankAndJobsThatFail) {
  ExpectGolden("print/bank5.txt", PrintJob(4, false, {}));
  ExpectGolden("print/dummy.txt", PrintJob(kDummyBank, false, {}));
  PrintLog tiny;
  tiny.page_width = 2000;
  tiny.page_height = 3000;
  ExpectGolden("print/tiny-page.txt", PrintJob(0, false, tiny));
  PrintLog failing_page;
  failing_page.fail_at_call = 3;  // the bank line of Bank 1
  ExpectGolden("print/failed-page.txt", PrintJob(0, true, failing_page));
  PrintLog failing_end;
  failing_end.fail_end = true;
  ExpectGolden("print/failed-end.txt", PrintJob(0, false, failing_end));
}

}  // namespace
}  // namespace talvirex::testing
