// The rule check of one string pair (methods, the flag chain, the exact messages, which texts are fetched)
// and the checker's match collection and reporting.
#include "check/CRegExChecker.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "check/CStringGetter.h"
#include "common/RuleFiles.h"
#include "common/TestHost.h"
#include "rules/HostContext.h"
#include "support/KUtf8.h"

namespace {

// The pair under check: kinds 0 and 1 are the texts given, kinds 2 and 3 the same texts in brackets. It
// notes how many expressions the host had made when each text was fetched.
class PairTexts : public CStringGetter {
 public:
  PairTexts(const testhost::TestAddInHost& host, std::u16string source, std::u16string translation)
      : host_(host), source_(source), translation_(translation) {}
  std::vector<int32_t> fetched;
  std::vector<size_t> compiledBefore;

 protected:
  std::u16string GetText(int32_t kind) override {
    fetched.push_back(kind);
    compiledBefore.push_back(host_.compiled.size());
    const std::u16string& text = kind % 2 == 0 ? source_ : translation_;
    return kind >= 2 ? u"[" + text + u"]" : text;
  }

 private:
  const testhost::TestAddInHost& host_;
  std::u16string source_, translation_;
};

class RecordingChecker : public CRegExChecker {
 public:
  std::vector<std::u16string> reported;  // rule name, then the detail
  void ReportViolation(CRegExRule& rule, const std::u16string& detail) override {
    reported.push_back(rule.Name + u": " + detail);
  }
};

constexpr int32_t kInSource = CHECK_EXIST_IF_IN_SOURCE, kMustNot = CHECK_MUST_NOT_EXIST,
                  kMustExist = CHECK_MUST_EXIST;

struct RuleRow {
  int32_t method, flags;
  const char16_t* pattern;  // a regular expression
  int32_t caseSensitive = 1, native = 0, active = 1;
  const char16_t* name = u"R";
};

// The exact reports of rule R.
std::u16string Count(int source, int translation) {
  return u"R: Unequal number of matches. Source: " + Utf8ToUtf16(std::to_string(source)) +
         u", Translation: " + Utf8ToUtf16(std::to_string(translation));
}
std::u16string Missing(std::u16string match) {
  return u"R: \"" + match + u"\" doesn't exist in translation.";
}
std::u16string Order(std::u16string matches) {
  return u"R: Matches are in wrong order:" + matches;
}
const std::u16string kNoMatch = u"R: No text found that matches the rule.";

class CheckerTest : public testing::Test {
 protected:
  void SetUp() override {
    site.folder /= "addin";  // no rule file here nor in the legacy folder beside it
    SetHostContext(&host, &site);
  }
  void TearDown() override { SetHostContext(nullptr, nullptr); }

  std::vector<std::u16string> Check(std::initializer_list<RuleRow> rows, CStringGetter& texts) {
    CRegExList list;
    for (const RuleRow& r : rows)
      list.Add(NewRule({r.name, r.pattern, r.active, 1, r.method, r.flags, r.caseSensitive, r.native}));
    RecordingChecker checker;
    checker.CheckList(texts, list);
    list.DeleteAll();
    return checker.reported;
  }

  testhost::TestAddInHost host;
  testhost::TestSite site;
};

TEST_F(CheckerTest, MethodsFlagsAndMessages) {
  const std::vector<int32_t> plain{0, 1}, translationOnly{1}, none{};
  // The rule, the source and the translation; the reports and the kinds of text fetched.
  using Case = std::tuple<RuleRow, const char16_t*, const char16_t*, std::vector<std::u16string>,
                          std::vector<int32_t>>;
  const Case cases[] = {
      {{kInSource, 2, u"\\d", 1, 0, 0}, u"1", u"", {}, none},  // inactive
      {{CHECK_NONE, 14, u"\\d"}, u"1", u"", {}, none},
      {{4, 14, u"\\d"}, u"1", u"", {}, none},
      {{-1, 14, u"\\d"}, u"1", u"", {}, none},
      // Without the count bit only a translation lacking every match is reported.
      {{kInSource, 0, u"\\d"}, u"1 2", u"3", {}, plain},
      {{kInSource, 0, u"\\d"}, u"1", u"x", {Count(1, 0)}, plain},
      {{kInSource, 0, u"\\d"}, u"x", u"1", {}, plain},
      {{kInSource, 12, u"\\d"}, u"1 2", u"3", {}, plain},  // text and order need the count bit
      {{kInSource, 16, u"\\d"}, u"1", u"", {Count(1, 0)}, plain},
      {{kInSource, 6, u"\\d"}, u"1 2", u"3", {Count(2, 1)}, plain},
      {{kInSource, 2, u"\\d"}, u"1 2", u"3 4", {}, plain},
      {{kInSource, 14, u"[a-z]"}, u"a b", u"c d", {Missing(u"a"), Missing(u"b")}, plain},
      {{kInSource, 6, u"[a-z]"}, u"x x", u"x y", {Missing(u"x")}, plain},
      {{kInSource, 14, u"[a-z]"}, u"a b", u"b a", {Order(u"b, a")}, plain},
      {{kInSource, 6, u"[a-z]"}, u"a b", u"b a", {}, plain},
      {{kInSource, 14, u"\\w+"},
       u"onexxxxxxxxxxxxx two three four five six",
       u"six onexxxxxxxxxxxxx two three four five",
       {Order(u"six, onexxxxxxxxx, two, three, ...")},
       plain},
      // At the limits: four matches shown, twelve characters of each.
      {{kInSource, 14, u"\\w+"},
       u"abcdefghijkl b c d",
       u"d abcdefghijkl b c",
       {Order(u"d, abcdefghijkl, b, c")},
       plain},
      {{kInSource, 14, u"tab", 0}, u"Tab", u"TAB", {}, plain},  // case-insensitive texts
      {{kInSource, 6, u"tab", 1}, u"tab", u"TAB", {Count(1, 0)}, plain},
      {{kInSource, 6, u"\\[.", 1, 1}, u"a", u"b", {Missing(u"[a")}, {2, 3}},
      {{kMustNot, 2, u"\\d+"}, u"", u"a 12 b 3", {u"R: Text \"12\" must not appear."}, translationOnly},
      {{kMustNot, 2, u"\\d+"}, u"1", u"none", {}, translationOnly},
      {{kMustExist, 2, u"\\d+"}, u"1", u"none", {kNoMatch}, translationOnly},
      {{kMustExist, 2, u"\\d+"}, u"", u"7", {}, translationOnly},
      {{kMustExist, 2, u"("}, u"", u"(", {kNoMatch}, translationOnly},
      {{kMustExist, 2, u"\\]$", 1, 1}, u"", u"x", {}, {3}},
  };
  for (const auto& [rule, source, translation, reported, fetched] : cases) {
    SCOPED_TRACE(Utf16ToUtf8(rule.pattern) + " method " + std::to_string(rule.method) + " flags " +
                 std::to_string(rule.flags) + ": " + Utf16ToUtf8(source) + " / " + Utf16ToUtf8(translation));
    PairTexts texts(host, source, translation);
    const size_t compiled = host.compiled.size();
    EXPECT_EQ(Check({rule}, texts), reported);
    EXPECT_EQ(texts.fetched, fetched);
    // Both texts are fetched before the rule's expression is made or searched.
    EXPECT_EQ(texts.compiledBefore, std::vector<size_t>(fetched.size(), compiled));
  }
}

TEST_F(CheckerTest, RulesReportInListOrderAndShareTheFetchedTexts) {
  PairTexts texts(host, u"", u"x");
  EXPECT_EQ(Check({{kMustNot, 2, u"x", 1, 0, 1, u"first"}, {kMustNot, 2, u"x", 1, 0, 1, u"second"}}, texts),
            (std::vector<std::u16string>{u"first: Text \"x\" must not appear.",
                                         u"second: Text \"x\" must not appear."}));
  EXPECT_EQ(texts.fetched, std::vector<int32_t>{1});
}

TEST_F(CheckerTest, CollectMatchesStopsAtAnEmptyMatch) {
  // RegEx, the pattern and the text; the matches.
  const std::tuple<int32_t, const char16_t*, const char16_t*, std::vector<std::u16string>> cases[] = {
      {0, u"aa", u"aaaa", {u"aa", u"aa"}},
      {0, u"", u"abc", {}},
      {1, u"x*", u"abc", {}},
      {1, u"\\d+", u"a1b22c333", {u"1", u"22", u"333"}},
      {1, u"b|x*", u"bba", {u"b", u"b"}},  // the empty match at "a" ends it
  };
  for (const auto& [regEx, pattern, text, expected] : cases) {
    SCOPED_TRACE(Utf16ToUtf8(pattern) + " in " + Utf16ToUtf8(text));
    CRegExRule rule;
    rule.RegEx = regEx;
    rule.Pattern = pattern;
    KStringArray matches;
    matches.Add(u"left over");
    CRegExChecker::CollectMatches(rule, text, matches);
    EXPECT_EQ(std::vector<std::u16string>(matches.begin(), matches.end()), expected);
  }
}

TEST_F(CheckerTest, ViolationOutsideATokenCheckIsDropped) {
  CRegExChecker checker;
  testhost::TestCheckRun run;
  checker.Begin(&run);
  CRegExRule rule;
  checker.ReportViolation(rule, u"detail");
  EXPECT_TRUE(run.messages.empty());
}

}  // namespace
