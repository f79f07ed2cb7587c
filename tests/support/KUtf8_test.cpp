// UTF-8 <-> UTF-16 conversion: the boundaries of each sequence length, and what malformed input becomes.
#include "support/KUtf8.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(KUtf8, EachSequenceLengthConvertsBothWaysAtItsBoundaries) {
  const std::tuple<char32_t, std::u16string, std::string> cases[] = {
      {0x00, std::u16string(1, u'\0'), std::string(1, '\0')},
      {0x7F, u"\x7F", "\x7F"},
      {0x80, u"\u0080", "\xC2\x80"},
      {0x7FF, u"\u07FF", "\xDF\xBF"},
      {0x800, u"\u0800", "\xE0\xA0\x80"},
      {0xD7FF, u"\uD7FF", "\xED\x9F\xBF"},  // around the surrogates
      {0xE000, u"\uE000", "\xEE\x80\x80"},
      {0xFFFF, u"\uFFFF", "\xEF\xBF\xBF"},
      {0x10000, u"\U00010000", "\xF0\x90\x80\x80"},
      {0x10FFFF, u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
  };
  for (const auto& [codePoint, utf16, utf8] : cases) {
    SCOPED_TRACE(static_cast<unsigned>(codePoint));
    std::string appended = "x";
    AppendUtf8(appended, codePoint);
    EXPECT_EQ(std::tuple(appended, Utf16ToUtf8(utf16), Utf8ToUtf16(utf8), IsUtf8(utf8)),
              std::tuple("x" + utf8, utf8, utf16, true));
  }
  const std::string mixed = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // a, e acute, euro, emoji
  EXPECT_EQ(Utf8ToUtf16(mixed), u"a\u00e9\u20ac\U0001F600");
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(mixed)), mixed);
}

// One replacement per bad byte of UTF-8, and one per surrogate without its partner in UTF-16.
TEST(KUtf8, MalformedInputBecomesReplacementCharacters) {
  const struct {
    const char* what;
    std::string utf8;
    std::u16string utf16;
    bool fromUtf16 = false;  // the UTF-16 is the input
  } cases[] = {
      {"stray continuation byte", "a\x80z", u"a\uFFFDz"},
      {"byte that never starts a sequence", "\xFF\xF8", u"\uFFFD\uFFFD"},
      {"sequence cut by the end", "b\xE2\x82", u"b\uFFFD\uFFFD"},
      {"lead followed by a plain character", "\xC3Z", u"\uFFFDZ"},
      {"overlong form of U+007F", "\xC1\xBF", u"\uFFFD\uFFFD"},
      {"overlong form of U+07FF", "\xE0\x9F\xBF", u"\uFFFD\uFFFD\uFFFD"},
      {"overlong form of U+FFFF", "\xF0\x8F\xBF\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"stray byte behind eight plain ones", "abcdefgh\x80", u"abcdefgh\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"nothing", "", u""},
      {"lone low", "x\xEF\xBF\xBD", {u'x', char16_t(0xDC00)}, true},
      {"high at the end", "x\xEF\xBF\xBD", {u'x', char16_t(0xD83D)}, true},
      {"high before a plain character", "\xEF\xBF\xBDz", {char16_t(0xD83D), u'z'}, true},
      {"pair in the wrong order", "\xEF\xBF\xBD\xEF\xBF\xBD", {char16_t(0xDE00), char16_t(0xD83D)}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.fromUtf16) {
      EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8);
    } else {
      EXPECT_EQ(std::pair(Utf8ToUtf16(c.utf8), IsUtf8(c.utf8)), std::pair(c.utf16, c.utf8.empty()));
    }
  }
}

}  // namespace
