// Turning the regex service's reports into warnings of the run, once per rule and place.
#include "HRunWarnings.h"

#include "support/KUtf8.h"

void HRunWarnings::UnitRead(const HUnit& unit) {
  if (unit.unread.empty() || m_file == nullptr) return;
  m_file->warnings.push_back(
      {m_file->path, unit.targetLine > 0 ? unit.targetLine : unit.line, "",
       "unit \"" + unit.id + "\": " + unit.unread + "; a violation may have been missed"});
}

// Called back from inside the module: nothing may unwind into it, and a warning lost to a full memory is
// no reason to stop the check.
void HRunWarnings::CompileFailed(const std::u16string& pattern, bool caseSensitive,
                                 const std::string& error) {
  try {
    if (!m_failedPatterns.emplace(pattern, caseSensitive).second) return;
    const std::string text = Utf16ToUtf8(pattern);
    Add(text, caseSensitive, nullptr, 0,
        "the pattern \"" + text + "\" does not compile: " + error + "; the rule finds nothing");
  } catch (...) {
  }
}

void HRunWarnings::LimitReached(const HRegExp& regExp, const char* limit) {
  try {
    const HUnit* unit = m_token.Unit();
    if (unit == nullptr || m_file == nullptr) return;
    Add(Utf16ToUtf8(regExp.Pattern()), regExp.CaseSensitive(), m_file,
        unit->targetLine > 0 ? unit->targetLine : unit->line,
        std::string("the search stopped at the regular-expression ") + limit + " in unit \"" + unit->id +
            "\": a violation may have been missed");
  } catch (...) {
  }
}

void HRunWarnings::Add(const std::string& pattern, bool caseSensitive, HFileResult* file, long line,
                       const std::string& message) {
  const std::vector<const HRuleInfo*> rules =
      m_rules == nullptr ? std::vector<const HRuleInfo*>() : m_rules->WithPattern(pattern, caseSensitive);
  if (rules.empty()) return AddOne(nullptr, file, file == nullptr ? "" : file->path, line, message);
  for (const HRuleInfo* rule : rules)
    AddOne(rule, file, file == nullptr ? rule->ruleFile : file->path, line, message);
}

void HRunWarnings::AddOne(const HRuleInfo* rule, HFileResult* file, const std::string& where, long line,
                          const std::string& message) {
  if (file == nullptr && m_result == nullptr) return;
  std::vector<HWarning>& warnings = file != nullptr ? file->warnings : m_result->warnings;
  HWarning warning{where, line, rule == nullptr ? "" : rule->name, message};
  // The module searches a unit's texts from successive positions, rule after rule: one warning per unit and
  // rule is enough, and the unit's warnings are the last ones.
  for (auto it = warnings.rbegin(); it != warnings.rend() && it->file == where && it->line == line; ++it) {
    if (it->rule == warning.rule && it->message == message) return;
  }
  if (rule != nullptr && file != nullptr) file->Describe(*rule);
  if (rule != nullptr && file == nullptr) m_result->rules.emplace(rule->name, *rule);
  warnings.push_back(std::move(warning));
}
