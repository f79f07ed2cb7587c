// The regular-expression service: flags, start positions, bad patterns and runaway patterns.
#include "HRegExp.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct Destroyer {
  void operator()(HRegExp* regExp) const { regExp->Destroy(); }
};
using RegExpPtr = std::unique_ptr<HRegExp, Destroyer>;

RegExpPtr Compile(const char16_t* pattern, int32_t flags = REGEX_CASE_SENSITIVE) {
  return RegExpPtr(HRegExp::Create(pattern, flags, nullptr));
}

struct MatchCase {
  const char* name;
  const char16_t* pattern;
  int32_t flags;
  const char16_t* text;
  int32_t start;
  int32_t expectedResult;
  int32_t expectedStart;
  int32_t expectedLength;
};

// The case's name, so that test names stay the same from run to run (the default dumps pointer bytes).
void PrintTo(const MatchCase& matchCase, std::ostream* out) {
  *out << matchCase.name;
}

class HRegExpMatch : public testing::TestWithParam<MatchCase> {};

TEST_P(HRegExpMatch, FindsTheFirstMatchAtOrAfterStart) {
  const MatchCase& c = GetParam();
  RegExpPtr regExp = Compile(c.pattern, c.flags);
  ASSERT_NE(regExp, nullptr);
  ASSERT_EQ(regExp->Match(c.text, c.start, -1), c.expectedResult);
  if (c.expectedResult != 0) return;
  int32_t start = -1;
  int32_t length = -1;
  regExp->GetMatch(&start, &length);
  EXPECT_EQ(start, c.expectedStart);
  EXPECT_EQ(length, c.expectedLength);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HRegExpMatch,
    testing::Values(
        MatchCase{"CaseSensitive", u"abc", REGEX_CASE_SENSITIVE, u"xxABCabc", 0, 0, 5, 3},
        MatchCase{"CaseInsensitive", u"abc", REGEX_CASE_INSENSITIVE, u"xxABCabc", 0, 0, 2, 3},
        MatchCase{"NoMatch", u"abc", REGEX_CASE_SENSITIVE, u"xxABC", 0, 1, 0, 0},
        MatchCase{"FromStart", u"\\d+", REGEX_CASE_SENSITIVE, u"a12b345", 3, 0, 4, 3},
        MatchCase{"StartAtEnd", u"\\d+", REGEX_CASE_SENSITIVE, u"a12b345", 7, 1, 0, 0},
        MatchCase{"EmptyMatchAtEnd", u"x*", REGEX_CASE_SENSITIVE, u"abc", 3, 0, 3, 0},
        MatchCase{"StartBeyondEnd", u"x*", REGEX_CASE_SENSITIVE, u"abc", 4, 1, 0, 0},
        MatchCase{"NegativeStart", u"a", REGEX_CASE_SENSITIVE, u"abc", -1, 1, 0, 0},
        // Positions count UTF-16 units: the emoji before the match takes two.
        MatchCase{"SurrogatePair", u"b", REGEX_CASE_SENSITIVE, u"\U0001F600b", 0, 0, 2, 1},
        MatchCase{"NonAsciiCaseless", u"\u00e9T\u00e9", REGEX_CASE_INSENSITIVE, u"\u00c9T\u00c9", 0, 0, 0, 3},
        // Word boundaries, \w, \d and POSIX classes know every script, not only ASCII.
        MatchCase{"UnicodeWordBoundary", u"Caf\\b", REGEX_CASE_SENSITIVE, u"Caf\u00e9 Caf", 0, 0, 5, 3},
        MatchCase{"UnicodeWord", u"<\\w+>", REGEX_CASE_SENSITIVE, u"<g\u00fcltig>", 0, 0, 0, 8},
        MatchCase{"UnicodeDigitAndPosix", u"\\d[[:alpha:]]", REGEX_CASE_SENSITIVE, u"1 \u0663\u00e9", 0, 0, 2,
                  2},
        // A lone surrogate is tolerated, not an error.
        MatchCase{"InvalidUtf16", u"b", REGEX_CASE_SENSITIVE,
                  u"a\xD800"
                  u"b",
                  0, 0, 2, 1},
        // Catastrophic backtracking ends as no match instead of running on.
        MatchCase{"Runaway", u"(a+)+$", REGEX_CASE_SENSITIVE, u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa!", 0,
                  1, 0, 0}),
    [](const testing::TestParamInfo<MatchCase>& matchCase) { return std::string(matchCase.param.name); });

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
  int32_t start = -1;
  int32_t length = -1;
  regExp->GetMatch(&start, &length);  // the object reports the latest search
  EXPECT_EQ(start, 4);
  EXPECT_EQ(length, 1);
}

struct Recorder final : HRegExpObserver {
  void CompileFailed(const std::u16string&, bool, const std::string& error) override {
    failures.push_back(error);
  }
  void LimitReached(const HRegExp&, const char* limit) override { limits.emplace_back(limit); }
  std::vector<std::string> failures, limits;
};

TEST(HRegExp, PatternThatDoesNotCompileGivesNoObjectAndSaysWhere) {
  std::string error;
  Recorder recorder;
  EXPECT_EQ(HRegExp::Create(u"(ab", REGEX_CASE_SENSITIVE, &error, &recorder), nullptr);
  EXPECT_NE(error.find("offset 3"), std::string::npos) << error;
  EXPECT_NE(error.find("missing closing parenthesis"), std::string::npos) << error;
  EXPECT_EQ(recorder.failures, std::vector<std::string>{error});
}

// At the edge of each limit: the least value with which the search finds its match finds it without a word;
// one less finds nothing and says which limit stopped it.
TEST(HRegExp, SearchStoppedAtALimitIsReportedAtTheEdge) {
  const std::u16string text = std::u16string(600, u'a') + u"c";
  const struct {
    const char* limit;
    bool jit;
    uint32_t HRegExpLimits::*field;
    uint32_t least;  // a value that stops the search (a JIT stack of 0 is PCRE2's default one)
  } cases[] = {{"match limit", true, &HRegExpLimits::match, 0},
               {"match limit", false, &HRegExpLimits::match, 0},
               {"depth limit", false, &HRegExpLimits::depth, 0},
               {"heap limit", false, &HRegExpLimits::heapKiB, 0},
               {"JIT stack limit", true, &HRegExpLimits::jitStackKiB, 1}};
  for (const auto& c : cases) {
    const auto finds = [&](uint32_t value, Recorder& recorder) {
      HRegExpLimits limits;
      limits.jit = c.jit;
      limits.*c.field = value;
      const RegExpPtr regExp(HRegExp::Create(u"(a|b)*c", REGEX_CASE_SENSITIVE, nullptr, &recorder, limits));
      return regExp->Match(text.c_str(), 0, -1) == 0;
    };
    Recorder ignored;
    // The search fails with low and finds its match with high, or the checks below fail.
    uint32_t low = c.least;
    uint32_t high = 1U << 24;
    while (high - low > 1) {
      const uint32_t middle = low + (high - low) / 2;
      (finds(middle, ignored) ? high : low) = middle;
    }
    Recorder atEdge, below;
    EXPECT_TRUE(finds(high, atEdge));
    EXPECT_TRUE(atEdge.limits.empty()) << c.limit;
    EXPECT_FALSE(finds(high - 1, below));
    EXPECT_EQ(below.limits, std::vector<std::string>{c.limit}) << "at " << high - 1;
  }
}

}  // namespace
