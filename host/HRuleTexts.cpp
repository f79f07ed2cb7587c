// Reading the active rules of the global and the project rule file.
#include "HRuleTexts.h"

#include "rules/CRegExList.h"
#include "support/KUtf8.h"

HRuleTexts::HRuleTexts(const std::string& globalFile, const std::vector<std::string>& projectFiles) {
  Load(globalFile);
  for (const std::string& file : projectFiles) Load(file);
}

const HRuleInfo* HRuleTexts::Find(const std::string& ruleName) const {
  const auto found = m_rules.find(ruleName);
  return found == m_rules.end() ? nullptr : &found->second;
}

std::vector<const HRuleInfo*> HRuleTexts::WithPattern(const std::string& pattern, bool caseSensitive) const {
  std::vector<const HRuleInfo*> rules;
  for (const auto& [name, rule] : m_rules) {
    if (rule.regex && rule.pattern == pattern && rule.caseSensitive == caseSensitive) rules.push_back(&rule);
  }
  return rules;
}

void HRuleTexts::Load(const std::string& file) {
  CRegExList list;
  list.Load(Utf8ToUtf16(file), false);
  for (int i = 0; i < list.GetSize(); ++i) {
    const CRegExRule& rule = *list[i];
    if (rule.Active == 0) continue;
    const std::string name = Utf16ToUtf8(rule.Name);
    m_rules.emplace(name, HRuleInfo{name, Utf16ToUtf8(rule.Pattern), rule.RegEx != 0, rule.Case != 0,
                                    rule.CheckMethod, rule.CheckFlags, rule.Native != 0, file});
  }
  list.DeleteAll();
}
