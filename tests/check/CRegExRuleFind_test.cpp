// The rule's search half: literal and host-compiled searches, and comparing match texts.
#include <gtest/gtest.h>

#include <tuple>

#include "common/TestHost.h"
#include "rules/CRegExRule.h"
#include "rules/HostContext.h"
#include "support/KUtf8.h"

namespace {

class RuleFindTest : public testing::Test {
 protected:
  void SetUp() override { SetHostContext(&host, nullptr); }
  void TearDown() override { SetHostContext(nullptr, nullptr); }

  testhost::TestAddInHost host;
};

TEST_F(RuleFindTest, LiteralSearch) {
  // The pattern, its case and the text searched from a start; whether found, and the match.
  using Case =
      std::tuple<const char16_t*, int32_t, const char16_t*, int32_t, bool, int32_t, int32_t, const char16_t*>;
  const Case cases[] = {
      {u"Abc", 0, u"xxABCyy", 0, true, 2, 3, u"ABC"},  // the match is spelled as in the text
      {u"Abc", 1, u"xxABCyy", 0, false, 0, 0, u""},
      {u"a\\tb", 1, u"a\tb", 0, true, 0, 3, u"a\tb"},  // an escape counts as one unit
      {u"\\N", 0, u"x\ny", 0, true, 1, 1, u"\n"},      // folded to "\n" before the escapes
      {u"\\N", 1, u"a\\Nb", 0, true, 1, 2, u"\\N"},
      {u"\\\\n", 1, u"\\\n", 0, true, 0, 2, u"\\\n"},  // the first "\n" pair from the left is replaced
      {u"\\x", 1, u"a\\x", 0, true, 1, 2, u"\\x"},     // no other escape exists
      {u"\u00C9", 0, u"\u00E9", 0, false, 0, 0, u""},  // only A to Z are folded
      {u"\u00C9T", 0, u"\u00C9t", 0, true, 0, 2, u"\u00C9t"},
      {u"", 1, u"abc", 3, true, 3, 0, u""},  // the end of the text is a valid start
      {u"c", 1, u"abc", 3, false, 0, 0, u""},
      {u"", 1, u"abc", 4, false, 0, 0, u""},
      {u"a", 1, u"abc", -1, false, 0, 0, u""},
  };
  for (const auto& [pattern, caseSensitive, searched, from, found, matchStart, matchLength, matchText] :
       cases) {
    SCOPED_TRACE(Utf16ToUtf8(pattern) + " in " + Utf16ToUtf8(searched));
    CRegExRule rule;
    rule.Pattern = pattern;
    rule.Case = caseSensitive;
    int32_t start = -7, length = -7;
    std::u16string text = u"untouched";
    ASSERT_EQ(rule.FindNext(searched, from, &start, &length, &text), found);
    EXPECT_EQ(std::tie(start, length, text),
              found ? std::tuple(matchStart, matchLength, matchText) : std::tuple(-7, -7, u"untouched"));
    EXPECT_EQ(rule.FindNext(searched, from), found);  // every out may be absent
  }
  EXPECT_TRUE(host.compiled.empty());
}

TEST_F(RuleFindTest, HostCompilesOnTheFirstSearchAndAgainOnlyAfterAFailure) {
  CRegExRule rule, broken;
  rule.RegEx = broken.RegEx = 1;
  rule.Case = 0;
  rule.Pattern = u"b+";
  broken.Pattern = u"(";
  int32_t start = 0, length = 0;
  std::u16string text;
  ASSERT_TRUE(rule.FindNext(u"aBbab", 0, &start, &length, &text));
  EXPECT_EQ(std::tie(start, length, text), std::make_tuple(1, 2, std::u16string(u"Bb")));
  ASSERT_TRUE(rule.FindNext(u"aBbab", 3, &start, &length, &text));  // the start goes to the host as given
  EXPECT_EQ(start, 4);
  EXPECT_FALSE(broken.FindNext(u"(((", 0));
  EXPECT_FALSE(broken.FindNext(u"(((", 0));
  EXPECT_EQ(broken.RegExObject, nullptr);
  ASSERT_EQ(host.compiled.size(), 3u);  // the case flags are the list's test
  EXPECT_EQ(host.compiled[0].pattern, u"b+");
}

TEST_F(RuleFindTest, MatchesEqualUnderTheRulesCase) {
  const std::tuple<const char16_t*, const char16_t*, bool, bool> cases[] = {
      // a, b, equal with and without case
      {u"ABC", u"abc", false, true}, {u"abc", u"abd", false, false},       {u"abc", u"abc", true, true},
      {u"ab", u"abc", false, false}, {u"\u00C4", u"\u00E4", false, false}, {u"", u"", true, true},
  };
  for (const auto& [a, b, sensitive, insensitive] : cases) {
    SCOPED_TRACE(Utf16ToUtf8(a) + " vs " + Utf16ToUtf8(b));
    CRegExRule rule, folding;
    folding.Case = 0;
    EXPECT_EQ(std::pair(rule.MatchesEqual(a, b), folding.MatchesEqual(a, b)),
              std::pair(sensitive, insensitive));
  }
}

}  // namespace
