// SPDX-License-Identifier: GPL-3.0-or-later
// The frequency harvester on any bytes: never a crash; the list holds distinct UTF-8 texts of at
// most 15 characters with a value above 0, no more than 1001 of them; and a text fed in pieces of
// any size finds exactly what the whole text finds.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/harvester.h"
#include "model/numeric_value.h"
#include "text/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  talvirex::FoundList whole;
  talvirex::Harvester(whole).ScanText(text);
  if (whole.size() > talvirex::kFoundLimit + 1) std::abort();
  for (std::size_t i = 0; i < whole.size(); ++i) {
    const std::string& entry = whole.entries()[i];
    if (talvirex::Utf8Length(entry) > talvirex::kCandidateLength) std::abort();
    if (!(talvirex::NumericValue(entry) > 0)) std::abort();
    for (std::size_t j = 0; j < i; ++j) {
      if (whole.entries()[j] == entry) std::abort();
    }
  }

  talvirex::FoundList pieces;
  talvirex::Harvester harvester(pieces);
  const std::size_t step = size == 0 ? 1 : 1 + data[0] % 7;
  for (std::size_t at = 0; at < size; at += step) harvester.Feed(text.substr(at, step));
  harvester.Finish();
  if (pieces.entries() != whole.entries()) std::abort();
  return 0;
}
