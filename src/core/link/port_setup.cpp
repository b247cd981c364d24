// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/port_setup.h"

#include <algorithm>

#include "model/numeric_value.h"
#include "settings/registry_store.h"
#include "text/text.h"

namespace talvirex {

namespace {
constexpr int kNamedOptions = 8;  // "com1".."com8"
}  // namespace

std::string PortAddress::Describe() const {
  return device.empty() ? "com" + IntText(number) : device;
}

bool IsDevicePath(const std::string& text) {
  const std::string_view trimmed = TrimBlanks(text);
  return !trimmed.empty() && (trimmed.front() == '/' || trimmed.front() == '\\');
}

PortSetup PortSetup::Load(const RegistryStore& store) {
  PortSetup setup;
  const std::string port = store.RegistryGet("comport", "1x");
  if (IsDevicePath(port)) {
    setup.option_ = kOtherOption;
    setup.other_entry_ = std::string(TrimBlanks(port));
  } else {
    int number = SmallIntValue(port);
    if (number < kMinPort || number > kMaxPort) number = kMinPort;
    if (number <= kNamedOptions) {
      setup.option_ = number;
    } else {
      setup.option_ = kOtherOption;
      setup.other_entry_ = IntText(number);
    }
  }
  setup.SetPacing(SmallIntValue(store.RegistryGet("timer1", "50x")));
  return setup;
}

void PortSetup::Store(RegistryStore& store) const {
  const PortAddress port = Port();
  store.RegistryPut("comport", port.device.empty() ? IntText(port.number) : port.device);
  store.RegistryPut("timer1", IntText(pacing_ms_));
}

void PortSetup::SelectOption(int option) {
  if (option >= 1 && option <= kOtherOption) option_ = option;
}

void PortSetup::SetOtherEntry(std::string text) { other_entry_ = std::move(text); }

void PortSetup::SetPacing(int milliseconds) {
  pacing_ms_ = std::clamp(milliseconds, kMinPacingMs, kMaxPacingMs);
}

PortAddress PortSetup::Port() const {
  if (option_ != kOtherOption) return PortAddress{option_, {}};
  if (IsDevicePath(other_entry_))
    return PortAddress{kMinPort, std::string(TrimBlanks(other_entry_))};
  return PortAddress{std::clamp(SmallIntValue(other_entry_), kMinPort, kMaxPort), {}};
}

}  // namespace talvirex
