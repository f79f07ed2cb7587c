// Searching a rule's matches outside a check run: literal rules with the module's own search, regular
// expressions with a host expression of their own.
#include "HRuleMatches.h"

#include "HRegExp.h"
#include "check/CRegExChecker.h"
#include "rules/CRegExRule.h"
#include "support/KUtf8.h"

std::vector<HRuleMatches::Match> HRuleMatches::Find(const HRuleInfo& info, const std::u16string& text) {
  CRegExRule rule;
  rule.Pattern = Utf8ToUtf16(info.pattern);
  rule.RegEx = info.regex ? 1 : 0;
  rule.Case = info.caseSensitive ? 1 : 0;
  if (info.regex) {
    // A few searches per violation: compiling them for the JIT would cost more than it saves. The rule
    // destroys the expression.
    rule.RegExObject = HRegExp::Create(rule.Pattern.c_str(),
                                       info.caseSensitive ? REGEX_CASE_SENSITIVE : REGEX_CASE_INSENSITIVE,
                                       nullptr, nullptr, HRegExpLimits{.jit = false});
    if (rule.RegExObject == nullptr) return {};
  }
  KStringArray texts;
  KDWordArray starts;
  CRegExChecker::CollectMatches(rule, text, texts, &starts);
  std::vector<Match> matches;
  matches.reserve(static_cast<size_t>(texts.GetSize()));
  for (int i = 0; i < texts.GetSize(); ++i) matches.push_back({starts[i], texts[i].size()});
  return matches;
}
