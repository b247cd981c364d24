#pragma once
// One undo step per bank slot 0..10: a copy of fields 1..7 of rows 1..20 taken before an editing
// command changed the bank.

#include <array>
#include <string>

namespace talvirex {

struct BankSnapshot {
  std::array<std::array<std::string, 8>, 21> cells{};  // [row 1..20][field 1..7]
  bool available = false;
};

struct UndoStore {
  std::array<BankSnapshot, 11> banks{};
};

}  // namespace talvirex
