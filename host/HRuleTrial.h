// One rule tried on a sample pair with the module's rule check, as the rule editor's test pane tries it:
// the same violations, "OK", separator and match lines, and where the matches are for highlighting.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CRegExRule;
class HTrialChecker;

class HRuleTrial {
 public:
  struct Match {
    size_t start;  // in the text's UTF-16 units
    size_t length;
  };
  struct Outcome {
    std::vector<std::string> violations;  // the detail messages, without the sentence naming the rule
    std::string summary;                  // "OK" when there is no violation, the separator, the match lines
    std::u16string source;                // the texts as the rule saw them (single line feeds)
    std::u16string translation;
    std::vector<Match> sourceMatches;
    std::vector<Match> translationMatches;
  };

  // Needs the module's host context (HRuleFiles) for as long as it lives: the checker loads the global rules,
  // as the test pane's does, and the rule's expression is compiled through the host.
  HRuleTrial();
  ~HRuleTrial();
  HRuleTrial(const HRuleTrial&) = delete;
  HRuleTrial& operator=(const HRuleTrial&) = delete;

  // Texts in UTF-8, where "\r\n" stands for a line feed as in the test pane's boxes; lines end in "\n".
  Outcome Try(const CRegExRule& rule, const std::string& source, const std::string& translation);

 private:
  std::unique_ptr<HTrialChecker> m_checker;
};
