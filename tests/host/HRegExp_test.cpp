// The regular-expression service: flags, start positions, a reused object and runaway patterns.
#include "HRegExp.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using RegExpPtr = std::unique_ptr<HRegExp, decltype([](HRegExp* regExp) { regExp->Destroy(); })>;

RegExpPtr Compile(const char16_t* pattern, int32_t flags = REGEX_CASE_SENSITIVE) {
  return RegExpPtr(HRegExp::Create(pattern, flags, nullptr));
}

// The first match at or after the start: result 1 is no match; positions count UTF-16 units.
TEST(HRegExp, FindsTheFirstMatchAtOrAfterStart) {
  const int32_t sensitive = REGEX_CASE_SENSITIVE, insensitive = REGEX_CASE_INSENSITIVE;
  // The pattern, its flags, the text and the start; the result, the match's start and its length.
  const std::tuple<const char16_t*, int32_t, std::u16string, int32_t, int32_t, int32_t, int32_t> cases[] = {
      {u"abc", sensitive, u"xxABCabc", 0, 0, 5, 3},
      {u"\\d+", sensitive, u"a12b345", 6, 0, 6, 1},  // the last unit
      {u"\\d+", sensitive, u"a12b345", 7, 1, 0, 0},
      {u"x*", sensitive, u"abc", 3, 0, 3, 0},  // the end is a valid start, one past it is not
      {u"x*", sensitive, u"abc", 4, 1, 0, 0},
      {u"a", sensitive, u"abc", -1, 1, 0, 0},
      {u"b", sensitive, u"\U0001F600b", 0, 0, 2, 1},  // the emoji before the match takes two units
      {u"\u00e9T\u00e9", insensitive, u"\u00c9T\u00c9", 0, 0, 0, 3},
      // Word boundaries, \d and POSIX classes know every script, not only ASCII.
      {u"Caf\\b", sensitive, u"Caf\u00e9 Caf", 0, 0, 5, 3},
      {u"\\d[[:alpha:]]", sensitive, u"1 \u0663\u00e9", 0, 0, 2, 2},
      {u"b", sensitive, {u'a', char16_t(0xD800), u'b'}, 0, 0, 2, 1},  // a lone surrogate is tolerated
      // Catastrophic backtracking ends as no match instead of running on.
      {u"(a+)+$", sensitive, std::u16string(40, u'a') + u"!", 0, 1, 0, 0},
  };
  for (const auto& c : cases) {
    const auto& [pattern, flags, text, start, result, matchStart, matchLength] = c;
    SCOPED_TRACE(testing::Message() << &c - cases);
    RegExpPtr regExp = Compile(pattern, flags);
    ASSERT_NE(regExp, nullptr);
    const int32_t found = regExp->Match(text.c_str(), start, -1);
    std::pair<int32_t, int32_t> match{0, 0};
    if (found == 0) regExp->GetMatch(&match.first, &match.second);
    EXPECT_EQ(std::pair(found, match), std::pair(result, std::pair(matchStart, matchLength)));
  }
}

// One object serves successive searches; a buffer reused for another text is measured anew when a search
// starts at 0, as every collection does.
TEST(HRegExp, ReusedObjectAndBufferAreMeasuredAnewFromStartZero) {
  RegExpPtr regExp = Compile(u"a");
  char16_t buffer[] = u"xxxxa";
  ASSERT_EQ(regExp->Match(buffer, 0, -1), 0);
  std::char_traits<char16_t>::copy(buffer, u"a\0", 2);
  ASSERT_EQ(regExp->Match(buffer, 0, -1), 0);
  EXPECT_NE(regExp->Match(buffer, 3, -1), 0) << "the old length let the search run past the new end";
  char16_t other[] = u"xxxxa";
  ASSERT_EQ(regExp->Match(other, 3, -1), 0);
  std::pair<int32_t, int32_t> match{-1, -1};
  regExp->GetMatch(&match.first, &match.second);  // the object reports the latest search
  EXPECT_EQ(match, std::pair(4, 1));
}

struct Recorder final : HRegExpObserver {
  void CompileFailed(const std::u16string&, bool, const std::string&) override {}
  void LimitReached(const HRegExp&, const char* limit) override { limits.emplace_back(limit); }
  std::vector<std::string> limits;
};

// At the edge of each limit: the least value with which the search finds its match finds it without a word;
// one less finds nothing and says which limit stopped it.
TEST(HRegExp, SearchStoppedAtALimitIsReportedAtTheEdge) {
  const std::u16string text = std::u16string(600, u'a') + u"c";
  using H = HRegExpLimits;
  // The limit, the JIT, the field and a value that stops the search (a JIT stack of 0: PCRE2's default).
  const std::tuple<const char*, bool, uint32_t H::*, uint32_t> cases[] = {
      {"match limit", true, &H::match, 0},
      {"match limit", false, &H::match, 0},
      {"depth limit", false, &H::depth, 0},
      {"heap limit", false, &H::heapKiB, 0},
      {"JIT stack limit", true, &H::jitStackKiB, 1}};
  for (const auto& [limit, jit, field, least] : cases) {
    const auto finds = [&](uint32_t value, Recorder& recorder) {
      H limits;
      limits.jit = jit;
      limits.*field = value;
      const RegExpPtr regExp(HRegExp::Create(u"(a|b)*c", REGEX_CASE_SENSITIVE, nullptr, &recorder, limits));
      return regExp->Match(text.c_str(), 0, -1) == 0;
    };
    Recorder ignored;
    // The search fails with low and finds its match with high, or the checks below fail.
    uint32_t low = least, high = 1U << 24;
    while (high - low > 1) {
      const uint32_t middle = low + (high - low) / 2;
      (finds(middle, ignored) ? high : low) = middle;
    }
    Recorder atEdge, below;
    EXPECT_TRUE(finds(high, atEdge));
    EXPECT_TRUE(atEdge.limits.empty()) << limit;
    EXPECT_FALSE(finds(high - 1, below));
    EXPECT_EQ(below.limits, std::vector<std::string>{limit}) << "at " << high - 1;
  }
}

}  // namespace
