// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The licence notice the program shows with its version (`talvirex --version`, the About box).

#include <string_view>

namespace talvirex {

inline constexpr std::string_view kLicenceNotice =
    "Copyright (C) 2026 TALVIREX developers\n"
    "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

}  // namespace talvirex
