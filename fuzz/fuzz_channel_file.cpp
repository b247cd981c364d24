// SPDX-License-Identifier: GPL-3.0-or-later
// The channel file reader on any bytes: never a crash, never a write outside the table, and a
// table read whole writes a file that reads back. After one such round the file is stable (the
// first round may still change spellings, such as an empty search range coming back as "0").

#include <cstdint>
#include <cstdlib>
#include <string>

#include "files/channel_file.h"
#include "ports/ui.h"
#include "workspace.h"

namespace {}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  talvirex::SilentUi ui;
  talvirex::Workspace first;
  first.settings.easy_tag_lists = size % 2 == 1;  // the tag lists too
  if (talvirex::ReadChannelFile(bytes, first, ui)) return 0;

  talvirex::Workspace second;
  if (talvirex::ReadChannelFile(talvirex::ChannelFileBytes(first), second, ui)) std::abort();
  const std::string stable = talvirex::ChannelFileBytes(second);
  talvirex::Workspace third;
  if (talvirex::ReadChannelFile(stable, third, ui)) std::abort();
  if (talvirex::ChannelFileBytes(third) != stable) std::abort();
  return 0;
}
