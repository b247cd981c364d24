// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/codec_tables.h"

#include <cmath>

namespace talvirex {

namespace {

constexpr std::string_view kPunctuation = "/()&'.,-#";  // codes 0x3E..0x46
constexpr int kFirstPunctuationCode = 0x3E;
constexpr int kLastHashCode = 0x49;

}  // namespace

int TagCharCode(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 0x0A;
  if (c >= 'a' && c <= 'z') return c - 'a' + 0x24;
  if (c == ' ') return kBlankTagCode;
  const auto at = kPunctuation.find(c);
  return at == std::string_view::npos ? -1 : kFirstPunctuationCode + static_cast<int>(at);
}

char TagCharOf(int code) {
  if (code < 0) return ' ';
  if (code <= 0x09) return static_cast<char>('0' + code);
  if (code <= 0x23) return static_cast<char>('A' + code - 0x0A);
  if (code <= 0x3D) return static_cast<char>('a' + code - 0x24);
  if (code < kFirstPunctuationCode + static_cast<int>(kPunctuation.size())) {
    return kPunctuation[code - kFirstPunctuationCode];
  }
  if (code <= kLastHashCode) return '#';
  return ' ';
}

bool UsesFiveKhzCodes(double mhz) { return (mhz >= 29 && mhz <= 54) || (mhz >= 137 && mhz <= 174); }

int FineStepCode(int units, bool five_khz) {
  if (units < 0) units = 0;
  if (units > 999) units = 999;
  return five_khz ? units / kFiveKhzUnits : kTwelveKhzFirstCode + units / kTwelveKhzUnits;
}

int FineStepUnits(int code) {
  if (code >= 0 && code <= 0x13) return code * kFiveKhzUnits;
  if (code >= kTwelveKhzFirstCode && code <= kTwelveKhzFirstCode + 7) {
    return (code - kTwelveKhzFirstCode) * kTwelveKhzUnits;
  }
  return 0;
}

bool IsAirband(double mhz) { return mhz >= 108 && mhz < 137; }

int SubtoneByte(double code) {
  constexpr int kNone = 0xFF;
  if (!(code >= 1)) return kNone;
  if (code > 1e6) return kNone;
  const int whole = static_cast<int>(std::nearbyint(code));
  const int byte = whole <= 38 ? whole + 127 : whole - 39;
  return byte >= 0 && byte <= 0xFF ? byte : kNone;
}

int SubtoneCodeOfByte(int byte) {
  if (byte >= 0x00 && byte <= 0x67) return byte + 39;
  if (byte >= 0x80 && byte <= 0xA5) return byte - 127;
  if (byte >= 0x68 && byte <= 0x7F) return -1;
  return 0;
}

}  // namespace talvirex
