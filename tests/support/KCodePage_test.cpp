// Tests of the 8-bit code pages: single and double-byte characters, lead bytes, the system's page and
// WideToAnsi's cut at the capacity.
#include "support/KCodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

namespace {

// A character of 0: the bytes are refused.
TEST(KCodePageTest, ConvertsOneCharacterOrRefusesIt) {
  const std::tuple<uint32_t, std::string, char16_t> cases[] = {
      {1252, "\x80", u'\u20AC'},    {1252, "\xE9", u'\u00E9'},
      {1252, "\x81", u'\u0081'},    // undefined in Windows-1252: its C1 control, as on Windows
      {1252, "\x9D", u'\u009D'},
      {932, "\x82\xA0", u'\u3042'}, {932, "\x83\x5C", u'\u30BD'},  // trail byte is "\"
      {932, "\x85\x40", 0},         {936, "\xB0\xA1", u'\u554A'},
      {949, "\xB0\xA1", u'\uAC00'}, {950, "\xA4\x40", u'\u4E00'},
      {99999, "A", 0},               // no such code page
  };
  for (const auto& [codePage, bytes, expected] : cases) {
    char16_t unit = 0;
    const bool converted = KCodePage(codePage).CharToWide(bytes, unit);
    EXPECT_EQ(std::pair(converted, converted ? unit : u'\0'), std::pair(expected != 0, expected)) << codePage;
  }
}

TEST(KCodePageTest, KnowsTheLeadBytesOfTheDoubleBytePages) {
  const std::tuple<uint32_t, uint8_t, bool> cases[] = {
      {932, 0x80, false}, {932, 0x81, true},  {932, 0x9F, true}, {932, 0xA0, false}, {932, 0xDF, false},
      {932, 0xE0, true},  {932, 0xFC, true},  {932, 0xFD, false}, {936, 0x80, false}, {936, 0x81, true},
      {949, 0xFE, true},  {950, 0xFF, false}, {1252, 0x81, false}, {1252, 0x41, false},
  };
  for (const auto& [codePage, byte, lead] : cases)
    EXPECT_EQ(KCodePage(codePage).IsLeadByte(byte), lead) << codePage << " " << int{byte};
}

TEST(KCodePageTest, ConvertsTextStrictlyOrWithQuestionMarks) {
  std::string bytes;
  EXPECT_TRUE(KCodePage(1252).ToBytes(u"\u00E9\u20AC\u0081", bytes));
  EXPECT_EQ(bytes, "\xE9\x80\x81");
  EXPECT_TRUE(KCodePage(932).ToBytes(u"a\u3042", bytes));
  EXPECT_EQ(bytes, "a\x82\xA0");
  EXPECT_FALSE(KCodePage(437).ToBytes(u"a\u20AC", bytes));
  EXPECT_TRUE(KCodePage(437).ToBytesLossy(u"a\u20ACb\U0001F600c", bytes));
  EXPECT_EQ(bytes, "a?b?c");  // a surrogate pair is one character
  EXPECT_FALSE(KCodePage(99999).ToBytesLossy(u"a", bytes));
}

TEST(KCodePageTest, SystemPageComesFromTheOverrideTheEnvironmentOrDefault) {
  unsetenv("IP_ANSI_CODEPAGE");
  EXPECT_EQ(KCodePage::Ansi(), 1252u);
  setenv("IP_ANSI_CODEPAGE", "1250", 1);
  EXPECT_EQ(KCodePage().Number(), 1250u);
  KCodePage::SetAnsi(932);
  EXPECT_EQ(KCodePage().Number(), 932u);
  KCodePage::SetAnsi(0);
  unsetenv("IP_ANSI_CODEPAGE");
  EXPECT_EQ(KCodePage(0).Number(), 1252u);
}

TEST(KCodePageTest, WideToAnsiCutsAtTheCapacityButNeverHalvesACharacter) {
  KCodePage::SetAnsi(932);
  char out[8] = "xxxxxxx";
  WideToAnsi(out, u"\u3042\u3044\u3046", 5);  // room for 4 bytes: two characters of two
  EXPECT_STREQ(out, "\x82\xA0\x82\xA2");
  WideToAnsi(out, u"\u3042\u3044\u3046", 4);  // room for 3 bytes: one character of two
  EXPECT_STREQ(out, "\x82\xA0");
  WideToAnsi(out, u"ab\u20AC", sizeof out);  // 932 has no euro sign
  EXPECT_STREQ(out, "ab?");
  KCodePage::SetAnsi(0);
  WideToAnsi(out, u"abc", 0);
  EXPECT_STREQ(out, "ab?");  // capacity 0 leaves the buffer alone
}

}  // namespace
