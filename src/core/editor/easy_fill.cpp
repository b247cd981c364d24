// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/easy_fill.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "editor/history.h"
#include "model/channel_table.h"
#include "model/numeric_value.h"
#include "text/text.h"
#include "workspace.h"

namespace talvirex {

namespace {

constexpr int kLastAddressable = 260;  // channel numbers above address no bank slot
constexpr int kLastChannelLimit = 1100;
constexpr double kMinStepKhz = 5;
constexpr double kMaxStepKhz = 10000;
constexpr double kTenHzPerMhz = 100000;
constexpr double kTenHzPerKhz = 100;
constexpr std::size_t kFillTagLength = 16;
constexpr std::size_t kMaxSeriesDigits = 6;

// Writes one field of channel n when n addresses a bank slot.
void WriteChannel(Workspace& workspace, int n, int field, std::string text) {
  if (n < 1 || n > kLastAddressable) return;
  workspace.table.At(BankOf(n), RowOf(n), field) = std::move(text);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The tag of channel k (from 0) of a series: the number at the end of the text, plus k.
std::string SeriesTag(std::string_view text, long long k) {
  const auto end = text.find_last_not_of(' ');
  text = end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
  std::size_t digits = 0;
  while (digits < kMaxSeriesDigits && digits < text.size() &&
         IsDigit(text[text.size() - 1 - digits])) {
    ++digits;
  }
  const std::string_view number = text.substr(text.size() - digits);
  long long value = 0;
  std::from_chars(number.data(), number.data() + number.size(), value);
  return std::string(text.substr(0, text.size() - digits)) + IntText(value + k);
}

bool EndsWithDigit(std::string_view text) {
  const auto end = text.find_last_not_of(' ');
  return end != std::string_view::npos && IsDigit(text[end]);
}

}  // namespace

std::string FormatFillFrequency(std::string_view text) {
  constexpr std::size_t kPointPosition = 5;
  constexpr std::size_t kWidth = 10;
  const auto first = text.find_first_not_of("0 ");
  std::string s(first == std::string_view::npos ? std::string_view{} : text.substr(first));
  if (!Contains(s, ".")) s += '.';
  const std::size_t point = s.find('.') + 1;
  if (point < kPointPosition) s.insert(0, kPointPosition - point, '0');
  if (s.size() < kWidth) s.append(kWidth - s.size(), '0');
  return s.substr(0, kWidth);
}

std::string FillFrequencyText(double mhz) {
  if (!std::isfinite(mhz) || mhz == 0) return "0";
  char buffer[400];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, mhz, std::chars_format::scientific, 14);
  // The exponent of the value once rounded to fifteen digits decides how many decimals to keep.
  const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
  int exponent = 0;
  const auto e = scientific.find('e');
  const char* exponent_start = scientific.data() + e + 1;
  if (*exponent_start == '+') ++exponent_start;
  std::from_chars(exponent_start, scientific.data() + scientific.size(), exponent);
  const int decimals = std::max(0, 14 - exponent);
  result = std::to_chars(buffer, buffer + sizeof buffer, mhz, std::chars_format::fixed, decimals);
  if (result.ec != std::errc{}) return "0";
  std::string text(buffer, result.ptr);
  if (Contains(text, ".")) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

std::string_view EasyFillForm::BoxCaption(int box) {
  constexpr std::array<std::string_view, kBoxCount> kCaptions = {
      "Frequency:", "Tag:", "Delay Time:", "Beep Alert:", "Lockout:", "Att:", "PL/DPL:"};
  return box >= 0 && box < kBoxCount ? kCaptions[box] : std::string_view{};
}

std::vector<std::string> EasyFillForm::SubtoneItems() {
  std::vector<std::string> items;
  for (int i = 1; i <= kCtcssCount; ++i) items.emplace_back(CtcssText(i));
  for (int i = 0; i < kDcsCount; ++i) items.emplace_back(DcsText(i));
  return items;
}

bool EasyFillForm::AcceptsChannelKey(char32_t code) {
  return (code >= '0' && code <= '9') || code == 8;
}

bool EasyFillForm::AcceptsNumberKey(char32_t code) {
  return (code >= '0' && code <= '9') || code == '-' || code == '.' || code <= 9;
}

bool EasyFillForm::AcceptsTagKey(char32_t code) {
  if (code < 9) return true;
  if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') ||
      (code >= 'a' && code <= 'z')) {
    return true;
  }
  return std::u32string_view(U" #&'(),-./").find(code) != std::u32string_view::npos;
}

void EasyFillForm::Open(const Workspace& workspace) {
  *this = EasyFillForm{};
  bank_ = std::clamp(workspace.current_bank, 0, kDummyBank);
  const int base = bank_ * kChannelsPerBank;
  const int row = std::clamp(workspace.grid.TopRow(), 1, kChannelsPerBank);
  const int last_row = std::clamp(workspace.grid.BottomRow(), 1, kChannelsPerBank);
  if (row == last_row) {
    Default();
  } else {
    first_channel = IntText(base + row);
    last_channel = IntText(base + last_row);
  }
}

void EasyFillForm::Default() {
  first_channel = IntText(ChannelNumber(bank_, 1));
  last_channel = IntText(ChannelNumber(bank_, kChannelsPerBank));
}

void EasyFillForm::AllChannels() {
  first_channel = "1";
  last_channel = IntText(kChannelCount);
}

void EasyFillForm::ToggleSelectAll() {
  all_selected_ = !all_selected_;
  for (const Box box : {kFrequency, kTag, kDelay, kBeepAlert, kLockOut, kSubtone}) {
    boxes[box] = all_selected_;
  }
}

std::string_view EasyFillForm::SelectAllButtonCaption() const {
  return all_selected_ ? kUnselectAllCaption : kSelectAllCaption;
}

int EasyFillForm::TagCounter() const { return static_cast<int>(Utf8Length(tag)); }

void EasyFillForm::CorrectEntries() {
  if (NumericValue(last_channel) < NumericValue(first_channel))
    std::swap(first_channel, last_channel);
  if (NumericValue(first_channel) < 1) first_channel = "1";
  if (NumericValue(last_channel) > kLastChannelLimit) last_channel = IntText(kLastChannelLimit);
  if (NumericValue(step) > kMaxStepKhz) step = ShortestDecimal(kMaxStepKhz);
  if (NumericValue(step) < kMinStepKhz) step = ShortestDecimal(kMinStepKhz);
}

void EasyFillForm::Apply(Workspace& workspace) {
  const std::string step = "Easy Fill " + first_channel + "-" + last_channel;  // as typed
  CorrectEntries();
  apply_enabled = false;
  const int first = SmallIntValue(first_channel);
  const int last = std::min(SmallIntValue(last_channel), kLastAddressable);
  if (boxes[kFrequency]) FillFrequencies(workspace, first, last);
  if (boxes[kTag]) FillTags(workspace, first, last);
  if (boxes[kDelay]) FillValue(workspace, first, last, kFieldDelay, switches[kDelaySwitch]);
  if (boxes[kBeepAlert])
    FillValue(workspace, first, last, kFieldBeepAlert, switches[kBeepAlertSwitch]);
  if (boxes[kLockOut]) FillValue(workspace, first, last, kFieldLockOut, switches[kLockOutSwitch]);
  if (boxes[kAtt]) FillValue(workspace, first, last, kFieldAtt, switches[kAttSwitch]);
  if (boxes[kSubtone] && subtone >= 0 && subtone < kLastSubtoneCode) {
    FillValue(workspace, first, last, kFieldSubtone, subtone + 1);
  }
  // The fill wrote the table; the grid shows it when the dialog closes.
  RecordTableStep(workspace, step);
}

void EasyFillForm::FillFrequencies(Workspace& workspace, int first, int last) const {
  double f = NumericValue(start) * kTenHzPerMhz;
  double s = NumericValue(step) * kTenHzPerKhz;
  // A typed 8.33 kHz step stands for a third of 25 kHz, so that three steps make 25 kHz exactly.
  if (std::abs(s - 833) < 1e-9) s = 833.333333333333;
  for (int n = first; n <= last; ++n) {
    WriteChannel(workspace, n, kFieldFrequency,
                 FormatFillFrequency(FillFrequencyText(f / kTenHzPerMhz)));
    f += s;
  }
}

void EasyFillForm::FillTags(Workspace& workspace, int first, int last) const {
  const bool series = fill_series && EndsWithDigit(tag);
  for (int n = first; n <= last; ++n) {
    WriteChannel(workspace, n, kFieldTag,
                 series ? SeriesTag(tag, n - first) : Utf8Left(tag, kFillTagLength));
  }
}

void EasyFillForm::FillValue(Workspace& workspace, int first, int last, int field,
                             int value) const {
  if (IsOnOffField(field) && value != 0 && value != 1) return;
  for (int n = first; n <= last; ++n) WriteChannel(workspace, n, field, IntText(value));
}

}  // namespace talvirex
