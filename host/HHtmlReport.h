// The HTML report: one self-contained page (no network, no file beside it) with a summary by rule and by
// file, each violation's source and translation side by side with the rule's matches highlighted, and a
// filter by rule.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "HRuleMatches.h"
#include "HRunResult.h"

class HHtmlReport {
 public:
  void Write(const HRunResult& result, std::ostream& out) const;

 private:
  struct RuleCount {
    std::string name;
    long violations = 0;
  };
  static std::vector<RuleCount> CountByRule(const HRunResult& result);
  static void WriteSummary(const HRunResult& result, std::ostream& out);
  static void WriteRules(const HRunResult& result, const std::vector<RuleCount>& rules, std::ostream& out);
  static void WriteFiles(const HRunResult& result, std::ostream& out);
  static void WriteViolations(const HRunResult& result, const std::vector<RuleCount>& rules,
                              std::ostream& out);
  static void WriteProblems(const HRunResult& result, std::ostream& out);
  // The text with the rule's matches marked; every character escaped.
  static std::string Highlighted(HRuleMatches& matches, const HRuleInfo* rule, const std::string& text);
};
