// CRuleTest: the check of a rule copy on a sample pair and the summary of its matches.
#include "check/CRuleTest.h"

#include "check/CRegExChecker.h"
#include "check/CStringGetter.h"
#include "resource.h"
#include "support/KResourceSource.h"
#include "support/KStringArray.h"

namespace {

constexpr std::u16string_view kSeparator = u"\u2500\u2500\u2500\u2500\u2500\u2500";

// "Matches in ...:" and the matches joined by ", ", or the no-matches text.
std::u16string MatchLine(CRegExRule& rule, const std::u16string& text, uint32_t noneId, uint32_t listId) {
  KStringArray matches;
  CRegExChecker::CollectMatches(rule, text, matches);
  if (matches.GetSize() == 0) return ResourceString(noneId);
  std::u16string line = ResourceString(listId);
  for (int i = 0; i < matches.GetSize(); ++i) {
    if (i > 0) line += u", ";
    line += matches[i];
  }
  return line;
}

}  // namespace

CRuleTest::CRuleTest(const CRegExRule& rule) {
  rule_.CopyFrom(rule);
  rule_.Active = 1;
}

void CRuleTest::Check(CRegExChecker& checker, CStringGetter& texts) {
  CRegExList list;  // does not own the rule
  list.Add(&rule_);
  checker.CheckList(texts, list);
  list.RemoveAll();
}

std::u16string CRuleTest::Summary(CStringGetter& texts, bool reported, std::u16string_view lineEnd) {
  std::u16string summary;
  if (!reported) summary.append(ResourceString(IDS_TEST_OK)).append(lineEnd);
  summary.append(kSeparator).append(lineEnd);
  summary += MatchLine(rule_, texts.GetSource(false), IDS_NO_SOURCE_MATCHES, IDS_SOURCE_MATCHES);
  summary += lineEnd;
  summary +=
      MatchLine(rule_, texts.GetTranslation(false), IDS_NO_TRANSLATION_MATCHES, IDS_TRANSLATION_MATCHES);
  summary += lineEnd;
  return summary;
}
