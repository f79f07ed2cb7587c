// CRegExRule: copying, the expression object's lifetime and legacy lines (with their quoted
// fields, ReadQuotedField).
#include "rules/CRegExRule.h"

#include <gtest/gtest.h>

#include "common/TestHost.h"
#include "rules/HostContext.h"
#include "rules/RuleText.h"

namespace {

const std::string kDefaults = "|1||0|1|0|0|2|0";

TEST(CRegExRule, CopyFromCopiesTheStoredFieldsOnly) {
  testhost::TestAddInHost host;
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
    host.CreateRegExp(&source.RegExObject, u"a", REGEX_CASE_SENSITIVE);

    CRegExRule target;
    const auto item = reinterpret_cast<KTreeItem>(&target);
    target.TreeItem = item;
    target.CopyFrom(source);
    EXPECT_EQ(Describe(target), "Tags|5|<[^>]+>|1|0|1|-1|16|1");
    EXPECT_EQ(target.TreeItem, item);
    EXPECT_EQ(target.RegExObject, nullptr);
  }
  // Both rules are gone: the one object was destroyed exactly once.
  EXPECT_EQ(host.created, 1);
  EXPECT_EQ(host.destroyed, 1);
}

TEST(CRegExRule, ReadLegacyLineFillsTheSixFields) {
  const struct {
    const char* name;
    std::u16string line;
    bool read;
    std::string rule;
  } cases[] = {
      {"all six", u"1=\"A\",\"b+\",\"0\",\"1\",\"1\",\"\"", true, "A|1|b+|1|1|0|1|14|0"},
      {"flags other than 1 stay", u"x=\"A\",\"b\",\"2\",\"6\",\"0\",\"0\"", true, "A|0|b|1|0|0|3|6|0"},
      {"doubled quotes", u"k=\"say \"\"hi\"\"\", \"\"\"\"", true, "say \"hi\"|0|\"|1|1|0|1|0|0"},
      {"missing fields are empty", u"k=\"only\"", true, "only|0||1|1|0|1|0|0"},
      {"key text is ignored", u"\"not\"=\"n\"", true, "n|0||1|1|0|1|0|0"},
      {"text before a quote is skipped", u"k=x, \"n\" ,\"p\"", true, "n|0|p|1|1|0|1|0|0"},
      {"line ends inside a field", u"k=\"n\",\"p", true, "n|0|p|1|1|0|1|0|0"},
      {"line ends after a doubled quote", u"k=\"n\"\"", true, "n\"|0||1|1|0|1|0|0"},
      {"no fields at all", u"k=", true, "|0||1|1|0|1|0|0"},
      {"numbers read like wcstol", u"k=\"n\",\"p\",\" 2x\",\"-3\",\"+7\",\"abc\"", true,
       "n|7|p|1|0|0|3|-3|0"},
      {"a line without equals is refused", u"\"A\",\"b\"", false, kDefaults},
  };
  for (const auto& c : cases) {
    CRegExRule rule;
    std::u16string line = c.line;
    EXPECT_EQ(rule.ReadLegacyLine(line), c.read) << c.name;
    EXPECT_EQ(Describe(rule), c.rule) << c.name;
  }
}

}  // namespace
