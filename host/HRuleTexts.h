// Which text each rule of a check run looks at, read from the rule files the module reads (with the module's
// own rule-file code), so that a report shows a violation with the texts the violated rule saw.
#pragma once

#include <map>
#include <string>

class HRuleTexts {
 public:
  // Missing files give no rules.
  HRuleTexts(const std::string& globalFile, const std::string& projectFile);

  // The module names a broken rule only by its name: the first active rule of that name decides, the global
  // rules first, as the module checks them. Unknown names check the plain text.
  bool WithTags(const std::string& ruleName) const;

 private:
  void Load(const std::string& file);

  std::map<std::string, bool> m_withTags;
};
