// The file formats against golden files in tests/data/golden: an input and, beside it, what each
// writer must make of it.

#include <gtest/gtest.h>

#include <sstream>

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

}  // namespace
}  // namespace talvirex::testing
