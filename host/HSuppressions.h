// Reviewed exceptions written in a file: the violations they suppress, and those that suppress nothing.
#pragma once

#include <map>
#include <string>
#include <tuple>

#include "HRuleTexts.h"
#include "HRunResult.h"
#include "HUnit.h"

class HSuppressions {
 public:
  // Moves the violations found in the unit (file.violations from index from on) that its suppressions name
  // to file.suppressed. The rules tell whether a suppression names a rule that exists.
  void Apply(const HUnit& unit, size_t from, HFileResult& file, const HRuleTexts* rules);
  // At a file's end: a warning in the file's result for each suppression that is malformed, names no rule, or
  // suppressed nothing in any unit it was written for (the forms of a plural, the segments of a unit).
  void FinishFile(HFileResult& file);

 private:
  struct Use {
    bool used = false;
    bool known = false;
  };
  // By line, rule and malformed: one flag line or note can stand for several units.
  std::map<std::tuple<long, std::string, bool>, Use> m_uses;
};
