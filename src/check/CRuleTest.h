// CRuleTest: one rule tried on a sample pair as the rule editor's test pane tries it, so that every place
// that tries a rule (the pane, the command line) reports the same lines.
#pragma once

#include <string>
#include <string_view>

#include "rules/CRegExRule.h"

class CRegExChecker;
class CStringGetter;

class CRuleTest {
 public:
  // Works on a copy of the rule, active whatever the rule says, without an expression object: a regular
  // expression is compiled anew by the host from the pattern as it is now.
  explicit CRuleTest(const CRegExRule& rule);

  // The checker's CheckList on the pair with a list that holds only the copy: every violation goes to the
  // checker's ReportViolation.
  void Check(CRegExChecker& checker, CStringGetter& texts);
  // The lines that follow the violations, each ended by lineEnd: "OK" when nothing was reported, the
  // separator, then the matches in the source and in the translation (texts without tags).
  std::u16string Summary(CStringGetter& texts, bool reported, std::u16string_view lineEnd);

  CRegExRule& Rule() { return rule_; }

 private:
  CRegExRule rule_;
};
