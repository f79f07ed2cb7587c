// CRegExRule: copying, the expression object's lifetime and legacy lines (with their quoted
// fields, ReadQuotedField).
#include "rules/CRegExRule.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "common/RuleFiles.h"
#include "common/TestHost.h"
#include "rules/HostContext.h"
#include "rules/RuleText.h"

namespace {

TEST(CRegExRule, CopyFromCopiesTheStoredFieldsOnly) {
  testhost::TestAddInHost host;
  {
    const std::unique_ptr<CRegExRule> source(NewRule({u"Tags", u"<[^>]+>", 5, 1, -1, 16, 0, 1, 1}));
    source->TreeItem = reinterpret_cast<KTreeItem>(source.get());
    host.CreateRegExp(&source->RegExObject, u"a", REGEX_CASE_SENSITIVE);

    CRegExRule target;
    const auto item = reinterpret_cast<KTreeItem>(&target);
    target.TreeItem = item;
    target.CopyFrom(*source);
    EXPECT_EQ(Describe(target), "Tags|5|<[^>]+>|1|0|1|-1|16|1");
    EXPECT_EQ(target.TreeItem, item);
    EXPECT_EQ(target.RegExObject, nullptr);
  }
  // Both rules are gone: the one object was destroyed exactly once.
  EXPECT_EQ(std::pair(host.created, host.destroyed), std::pair(1, 1));
}

TEST(CRegExRule, ReadLegacyLineFillsTheSixFields) {
  const std::tuple<const char*, std::u16string, bool, std::string> cases[] = {
      // name, line, read, rule
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
      {"a line without equals is refused", u"\"A\",\"b\"", false, "|1||0|1|0|0|2|0"},
  };
  for (auto [name, line, read, described] : cases) {
    CRegExRule rule;
    EXPECT_EQ((std::pair{rule.ReadLegacyLine(line), Describe(rule)}), std::pair(read, described)) << name;
  }
}

}  // namespace
