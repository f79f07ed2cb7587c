// The rules of a check run as the rule files the module reads define them (read with the module's own
// rule-file code), so that a report shows a violation with the texts the violated rule saw and describes it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "HRunResult.h"

class HRuleTexts {
 public:
  // Missing files give no rules. A project's rules may come from several files (its language's, then its
  // own), the most specific first: its rule of a name decides.
  HRuleTexts(const std::string& globalFile, const std::vector<std::string>& projectFiles);

  // The module names a broken rule only by its name: the first active rule of that name decides, the global
  // rules first, as the module checks them. Unknown names: null.
  const HRuleInfo* Find(const std::string& ruleName) const;
  // The active regular-expression rules that search with this pattern (the regex service sees no names).
  std::vector<const HRuleInfo*> WithPattern(const std::string& pattern, bool caseSensitive) const;

 private:
  void Load(const std::string& file);

  std::map<std::string, HRuleInfo> m_rules;
};
