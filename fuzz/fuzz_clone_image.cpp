// SPDX-License-Identifier: GPL-3.0-or-later
// The clone image on any bytes: the image file reader, the decoders and the encoders never crash
// nor touch anything outside a line or the table, the decoded table stays within its shapes, and
// the encoded image always has 253 well-formed lines with valid checksums.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <variant>

#include "image/clone_line.h"
#include "image/decoders.h"
#include "image/encoders.h"
#include "image/image_file.h"
#include "model/channel_table.h"
#include "ports/ui.h"
#include "workspace.h"

namespace {

// Lines cut at LF, as many as there are (the reader itself wants exactly 253).
talvirex::CloneImage AnyLines(const std::string& bytes) {
  talvirex::CloneImage image;
  std::size_t start = 0;
  for (int i = 1; i <= talvirex::kCloneLineCount && start <= bytes.size(); ++i) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
    image.lines[i] = bytes.substr(start, end - start);
    start = end + 1;
  }
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talvirex;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  auto parsed = ParseImageFile(bytes);
  Workspace ws;
  ws.clone_image =
      std::holds_alternative<CloneImage>(parsed) ? std::get<CloneImage>(parsed) : AnyLines(bytes);
  talvirex::SilentUi ui;
  filter_image(ws, ui);
  for (int n = 1; n <= kChannelCount; ++n) {
    if (ws.table.At(BankOf(n), RowOf(n), kFieldTag).size() != 10) std::abort();
  }
  create_senddata(ws);
  for (int i = 1; i <= kCloneLineCount; ++i) {
    const std::string& line = ws.clone_image.lines[i];
    if (line.size() != kCloneLineLength || FinishCloneLine(line) != line) std::abort();
  }
  return 0;
}
