// String helpers: rotating buffers, bounded formatting and loading, replacing, stripping and trimming.
#include "support/StringHelpers.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "resource.h"

namespace {

TEST(StringHelpersTest, FormatTempRotatesFourBuffers) {
  char16_t* buffers[5];
  for (int i = 0; i < 5; ++i) buffers[i] = FormatTemp(u"%d", i + 1);
  EXPECT_EQ(std::set(buffers, buffers + 4).size(), 4u);
  EXPECT_EQ(buffers[4], buffers[0]);
  EXPECT_EQ(std::u16string(buffers[3]) + buffers[0], u"45");
  for (const size_t length : {1023u, 1024u, 2000u})  // the last place holds the terminator
    EXPECT_EQ(std::u16string(FormatTemp(u"%s", std::u16string(length, u'x'))).size(), 1023u) << length;
}

TEST(StringHelpersTest, FormatIntoBuffers) {
  char16_t buffer[6] = u"ab";
  EXPECT_EQ(std::u16string(AppendFormat(buffer, 6, u"%d", 12345)), u"ab123");
  EXPECT_EQ(std::u16string(AppendFormat(buffer, 6, u"%d", 6)), u"ab123");
  EXPECT_EQ(std::u16string(FormatToBuffer(buffer, 0, u"%d", 7)), u"ab123");
  EXPECT_EQ(std::u16string(FormatToBuffer(buffer, 4, u"%d", 98765)), u"987");
  EXPECT_EQ(std::u16string(FormatToBuffer(nullptr, 4, u"%d", 98765)), u"98765");
}

TEST(StringHelpersTest, LoadStringTemp) {
  char16_t buffer[8] = u"old";
  EXPECT_EQ(std::u16string(LoadStringTemp(IDS_PROJECT)), u"Project %1");
  EXPECT_EQ(std::u16string(LoadStringTemp(IDS_PROJECT, buffer, 5)), u"Proj");
  EXPECT_EQ(std::u16string(LoadStringTemp(64999, nullptr, 0, u"fallback")), u"fallback");
  EXPECT_EQ(std::u16string(LoadStringTemp(64999)), u"");
  buffer[0] = u'x';
  EXPECT_EQ(std::u16string(LoadStringTemp(IDS_PROJECT, buffer, 0)), u"xroj");
  EXPECT_EQ(std::u16string(LoadStringTemp(IDS_PROJECT, buffer, 1)), u"");
}

TEST(StringHelpersTest, AppendBounded) {
  const std::tuple<std::u16string, std::u16string, size_t, std::u16string> cases[] = {
      {u"ab", u"cd", 10, u"abcd"}, {u"ab", u"cd", 5, u"abcd"}, {u"ab", u"cdef", 5, u"abcd"},
      {u"abcd", u"e", 5, u"abcd"}, {u"ab", u"cd", 0, u"ab"},   {u"", u"xyz", 1, u""}};
  for (const auto& [start, text, capacity, expected] : cases) {
    char16_t buffer[16] = {};
    start.copy(buffer, start.size());
    EXPECT_EQ(std::u16string(AppendBounded(buffer, text, capacity)), expected) << capacity;
  }
}

TEST(StringHelpersTest, ReplaceAllSearchesBehindTheInsertedText) {
  const std::tuple<std::u16string, std::u16string, std::u16string, std::u16string, int> cases[] = {
      {u"\"\"\"\"", u"\"\"", u"\"", u"\"\"", 2},
      {u"aaa", u"a", u"aa", u"aaaaaa", 3},
      {u"a.b.c", u".", u"", u"abc", 2},
      {u"abc", u"", u"x", u"abc", 0},
      {u"abc", u"abcd", u"x", u"abc", 0}};
  for (auto [text, from, to, expected, count] : cases) {
    EXPECT_EQ(ReplaceAll(text, from, to), count);
    EXPECT_EQ(text, expected);
  }
}

// Applies an in-place buffer helper to a copy of text and returns the result.
template <class F>
std::u16string InPlace(std::u16string text, F helper) {
  text.push_back(0);
  helper(text.data());
  return text.c_str();
}

TEST(StringHelpersTest, StripAcceleratorsAndRemoveLastChar) {
  for (const auto& [text, stripped] : {std::pair{u"&Add", u"Add"}, {u"A&&B", u"A&B"}, {u"&&&x&", u"&x"}})
    EXPECT_EQ(InPlace(text, StripAccelerators), stripped);
  // Each removal and the text it leaves; "-" where nothing was removed.
  char16_t text[] = u"ab\\";
  std::u16string steps;
  for (const char16_t last : {u'\\', u'\\', u'\0', u'\0', u'\0'})
    steps += RemoveLastChar(text, last) ? u"+" + std::u16string(text) : u"-";
  EXPECT_EQ(steps, u"+ab-+a+-");
}

TEST(StringHelpersTest, TrimKeepsNoBreakSpaces) {
  const std::pair<std::u16string, std::u16string> cases[] = {{u" \t\r\n\v\fa b \t", u"a b"},
                                                             {u"\u3000x\u2003\u2028", u"x"},
                                                             {u"\u00a0x\u202f", u"\u00a0x\u202f"},
                                                             {u"\u0085x\u2007", u"\u0085x\u2007"},
                                                             {u"   ", u""},
                                                             {u"", u""}};
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(InPlace(text, [](char16_t* buffer) { TrimInPlace(buffer); }), expected);
    std::u16string copy = text;
    TrimInPlace(copy);
    EXPECT_EQ(copy, expected);
  }
}

}  // namespace
