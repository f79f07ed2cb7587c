// Reading the rules' "Check original strings" setting from the global and the project rule file.
#include "HRuleTexts.h"

#include "rules/CRegExList.h"
#include "support/KUtf8.h"

HRuleTexts::HRuleTexts(const std::string& globalFile, const std::string& projectFile) {
  Load(globalFile);
  Load(projectFile);
}

bool HRuleTexts::WithTags(const std::string& ruleName) const {
  const auto found = m_withTags.find(ruleName);
  return found != m_withTags.end() && found->second;
}

void HRuleTexts::Load(const std::string& file) {
  CRegExList list;
  list.Load(Utf8ToUtf16(file), false);
  for (int i = 0; i < list.GetSize(); ++i) {
    const CRegExRule& rule = *list[i];
    if (rule.Active != 0) m_withTags.emplace(Utf16ToUtf8(rule.Name), rule.Native != 0);
  }
  list.DeleteAll();
}
