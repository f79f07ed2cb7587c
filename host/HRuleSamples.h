// Rule samples kept beside a rule file (settings.samples.json beside settings.ini): per rule name, sample
// pairs with the violations the rule must report on them, tried as `inline-patterns try` tries a rule.
#pragma once

#include <ostream>
#include <string>

class CRegExList;
class HRuleTrial;

class HRuleSamples {
 public:
  // The tally of one or more sample files.
  struct Tally {
    int samples = 0;
    int failed = 0;
    int rulesWithout = 0;  // rules of the file that no sample tries
  };

  // Reads the samples file; throws HError when it cannot be read or is not in the documented form.
  explicit HRuleSamples(const std::string& path);

  // Tries every sample on its rule of the list, prints each difference to out and adds to the tally.
  void Run(CRegExList& rules, HRuleTrial& trial, std::ostream& out, Tally& tally) const;

 private:
  std::string m_path;
  std::string m_text;
};
