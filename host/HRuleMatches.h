// Where a rule matches a text, collected as the module's checker collects them: for the column of a
// violation and for the matches that the HTML report highlights.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "HRunResult.h"

class HRuleMatches {
 public:
  struct Match {
    size_t start;  // in the text's UTF-16 units
    size_t length;
  };

  // Non-empty matches from the text's start, one after the other; none for a pattern that does not compile.
  static std::vector<Match> Find(const HRuleInfo& rule, const std::u16string& text);
};
