// Where rules match texts, collected as the module's checker collects them: for the column of a violation
// and for the matches that the HTML report highlights.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "HRunResult.h"

class CRegExRule;

// Each rule's expression is made on its first search and kept for the rule's next violation: a file in
// which every unit breaks a rule would otherwise compile the pattern once per violation.
class HRuleMatches {
 public:
  struct Match {
    size_t start;  // in the text's UTF-16 units
    size_t length;
  };

  HRuleMatches();
  HRuleMatches(const HRuleMatches&) = delete;
  HRuleMatches& operator=(const HRuleMatches&) = delete;
  ~HRuleMatches();

  // Non-empty matches from the text's start, one after the other; none for a pattern that does not compile.
  std::vector<Match> Find(const HRuleInfo& rule, const std::u16string& text);

 private:
  CRegExRule& Searcher(const HRuleInfo& info);

  std::map<std::tuple<std::string, bool, bool>, std::unique_ptr<CRegExRule>> m_searchers;
};
