// CRegExRule: defaults, copying, the expression object's lifetime and legacy lines.
#include "rules/CRegExRule.h"

#include <gtest/gtest.h>

#include "common/TestHost.h"
#include "rules/HostContext.h"

namespace {

using testhost::TestAddInHost;

IHostRegExp* MakeExpression(TestAddInHost& host, const char16_t* pattern) {
  IHostRegExp* expression = nullptr;
  host.CreateRegExp(&expression, pattern, REGEX_CASE_SENSITIVE);
  return expression;
}

TEST(CRegExRule, NewRuleHasTheDefaults) {
  const CRegExRule rule;
  EXPECT_EQ(rule.Name, u"");
  EXPECT_EQ(rule.Pattern, u"");
  EXPECT_EQ(rule.Active, 1);
  EXPECT_EQ(rule.RegEx, 0);
  EXPECT_EQ(rule.Case, 1);
  EXPECT_EQ(rule.Tag, 0);
  EXPECT_EQ(rule.CheckMethod, CHECK_NONE);
  EXPECT_EQ(rule.CheckFlags, CHECKFLAG_COUNT);
  EXPECT_EQ(rule.Native, 0);
  EXPECT_EQ(rule.TreeItem, nullptr);
  EXPECT_EQ(rule.RegExObject, nullptr);
}

TEST(CRegExRule, CopyFromCopiesTheStoredFieldsOnly) {
  TestAddInHost host;
  {
    CRegExRule source;
    source.Name = u"Tags";
    source.Pattern = u"<[^>]+>";
    source.Active = 5;
    source.RegEx = 1;
    source.Case = 0;
    source.Tag = 1;
    source.CheckMethod = -1;
    source.CheckFlags = 16;
    source.Native = 1;
    source.TreeItem = reinterpret_cast<KTreeItem>(&source);
    source.RegExObject = MakeExpression(host, u"a");

    CRegExRule target;
    int marker = 0;
    const auto item = reinterpret_cast<KTreeItem>(&marker);
    target.TreeItem = item;
    target.CopyFrom(source);

    EXPECT_EQ(target.Name, u"Tags");
    EXPECT_EQ(target.Pattern, u"<[^>]+>");
    EXPECT_EQ(target.Active, 5);
    EXPECT_EQ(target.RegEx, 1);
    EXPECT_EQ(target.Case, 0);
    EXPECT_EQ(target.Tag, 1);
    EXPECT_EQ(target.CheckMethod, -1);
    EXPECT_EQ(target.CheckFlags, 16);
    EXPECT_EQ(target.Native, 1);
    EXPECT_EQ(target.TreeItem, item);
    EXPECT_EQ(target.RegExObject, nullptr);
  }
  // Both rules are gone: the one object was destroyed exactly once.
  EXPECT_EQ(host.created, 1);
  EXPECT_EQ(host.destroyed, 1);
}

struct LegacyCase {
  const char* name;
  std::u16string line;
  std::u16string ruleName, pattern;
  int32_t checkMethod, checkFlags, active, caseSensitive;
};

TEST(CRegExRule, ReadLegacyLineFillsTheSixFields) {
  const LegacyCase cases[] = {
      {"all six", u"1=\"A\",\"b+\",\"0\",\"1\",\"1\",\"\"", u"A", u"b+", 1, 14, 1, 1},
      {"flags other than 1 stay", u"x=\"A\",\"b\",\"2\",\"6\",\"0\",\"0\"", u"A", u"b", 3, 6, 0, 0},
      {"doubled quotes", u"k=\"say \"\"hi\"\"\", \"\"\"\"", u"say \"hi\"", u"\"", 1, 0, 0, 1},
      {"missing fields are empty", u"k=\"only\"", u"only", u"", 1, 0, 0, 1},
      {"key text is ignored", u"\"not\"=\"n\"", u"n", u"", 1, 0, 0, 1},
      {"no fields at all", u"k=", u"", u"", 1, 0, 0, 1},
      {"numbers read like wcstol", u"k=\"n\",\"p\",\" 2x\",\"-3\",\"+7\",\"abc\"", u"n", u"p", 3, -3, 7, 0},
  };
  for (const LegacyCase& c : cases) {
    CRegExRule rule;
    std::u16string line = c.line;
    EXPECT_TRUE(rule.ReadLegacyLine(line)) << c.name;
    EXPECT_EQ(rule.Name, c.ruleName) << c.name;
    EXPECT_EQ(rule.Pattern, c.pattern) << c.name;
    EXPECT_EQ(rule.CheckMethod, c.checkMethod) << c.name;
    EXPECT_EQ(rule.CheckFlags, c.checkFlags) << c.name;
    EXPECT_EQ(rule.Active, c.active) << c.name;
    EXPECT_EQ(rule.Case, c.caseSensitive) << c.name;
    EXPECT_EQ(rule.RegEx, 1) << c.name;
    EXPECT_EQ(rule.Tag, 0) << c.name;
    EXPECT_EQ(rule.Native, 0) << c.name;
  }
}

TEST(CRegExRule, ReadLegacyLineRefusesALineWithoutEquals) {
  CRegExRule rule;
  std::u16string line = u"\"A\",\"b\"";
  EXPECT_FALSE(rule.ReadLegacyLine(line));
  EXPECT_EQ(rule.Name, u"");
}

}  // namespace
