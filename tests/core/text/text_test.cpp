// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "text/cp1252.h"
#include "text/text.h"

namespace talvirex {
namespace {

TEST(Cp1252, EveryByteConvertsToUtf8AndBack) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_EQ(Cp1252ToUtf8("\x80\xE9"), "€é");
  EXPECT_EQ(Utf8ToCp1252("Ω漢\u0080\u009F"), "????");  // not in the code page
  EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");              // a cut sequence
  // Overlong forms of CR, LF and "A", and a surrogate, never come out as those bytes.
  EXPECT_EQ(Utf8ToCp1252("\xE0\x80\x8D\xE0\x80\x8A\xC1\x81\xED\xA0\x80"), "????");
  // A file's text: UTF-8 as it stands, anything else (a cut or overlong sequence) as the code page.
  EXPECT_EQ(DecodeFileText("Z\xC3\xBCrich \xE2\x82\xAC"), "Zürich €");
  EXPECT_EQ(DecodeFileText("ok\xC3"), "okÃ");
  EXPECT_EQ(DecodeFileText("\xC1\x81"), "Á\u0081");
}

TEST(Utf8, CutsCountCharacters) {
  EXPECT_EQ(Utf8Length("Zürich"), 6u);
  EXPECT_EQ(Utf8Left("Zürich", 2), "Zü");
  EXPECT_EQ(Utf8Left("abc", 10), "abc");
  EXPECT_EQ(Utf8Drop("#$BT0 Zü", 6), "Zü");
  EXPECT_EQ(Utf8Drop("ab", 6), "");
}

}  // namespace
}  // namespace talvirex
