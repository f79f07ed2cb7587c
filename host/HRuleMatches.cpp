// Searching a rule's matches outside a check run: literal rules with the module's own search, regular
// expressions with a host expression of their own.
#include "HRuleMatches.h"

#include "HRegExp.h"
#include "check/CRegExChecker.h"
#include "rules/CRegExRule.h"
#include "support/KUtf8.h"

HRuleMatches::HRuleMatches() = default;
HRuleMatches::~HRuleMatches() = default;  // each rule destroys its expression

CRegExRule& HRuleMatches::Searcher(const HRuleInfo& info) {
  std::unique_ptr<CRegExRule>& rule = m_searchers[{info.pattern, info.regex, info.caseSensitive}];
  if (rule) return *rule;
  rule = std::make_unique<CRegExRule>();
  rule->Pattern = Utf8ToUtf16(info.pattern);
  rule->RegEx = info.regex ? 1 : 0;
  rule->Case = info.caseSensitive ? 1 : 0;
  // A few searches per violation: compiling them for the JIT would cost more than it saves. A pattern that
  // does not compile keeps no expression, and the rule finds nothing.
  if (info.regex)
    rule->RegExObject = HRegExp::Create(rule->Pattern.c_str(),
                                        info.caseSensitive ? REGEX_CASE_SENSITIVE : REGEX_CASE_INSENSITIVE,
                                        nullptr, nullptr, HRegExpLimits{.jit = false});
  return *rule;
}

std::vector<HRuleMatches::Match> HRuleMatches::Find(const HRuleInfo& info, const std::u16string& text) {
  CRegExRule& rule = Searcher(info);
  if (rule.RegEx && rule.RegExObject == nullptr) return {};
  KStringArray texts;
  KDWordArray starts;
  CRegExChecker::CollectMatches(rule, text, texts, &starts);
  std::vector<Match> matches;
  matches.reserve(static_cast<size_t>(texts.GetSize()));
  for (int i = 0; i < texts.GetSize(); ++i) matches.push_back({starts[i], texts[i].size()});
  return matches;
}
