// Suppressing violations by the exceptions written in the file, and reporting the exceptions gone stale.
#include "HSuppressions.h"

#include <algorithm>

void HSuppressions::Apply(const HUnit& unit, size_t from, HFileResult& file, const HRuleTexts* rules) {
  for (const HSuppression& suppression : unit.suppressions) {
    Use& use = m_uses[{suppression.line, suppression.rule, suppression.malformed}];
    if (suppression.malformed) continue;
    use.known = use.known || suppression.rule.empty() ||
                (rules != nullptr && rules->Find(suppression.rule) != nullptr);
    const auto suppressed = [&](const HViolation& v) {
      return suppression.rule.empty() || v.rule == suppression.rule;
    };
    const auto begin = file.violations.begin() + static_cast<std::ptrdiff_t>(from);
    const auto kept = std::stable_partition(begin, file.violations.end(),
                                            [&](const HViolation& v) { return !suppressed(v); });
    if (kept == file.violations.end()) continue;
    use.used = true;
    file.suppressed.insert(file.suppressed.end(), std::make_move_iterator(kept),
                           std::make_move_iterator(file.violations.end()));
    file.violations.erase(kept, file.violations.end());
  }
}

void HSuppressions::FinishFile(HFileResult& file) {
  for (const auto& [key, use] : m_uses) {
    const auto& [line, rule, malformed] = key;
    HWarning warning{file.path, line, "", "", true};
    if (malformed) {
      warning.message =
          "not a suppression: write inline-patterns-ignore, or inline-patterns-ignore with a "
          "rule's name as the file format spells it";
    } else if (!use.known) {
      warning.message = "the suppression names no rule: \"" + rule + "\"";
    } else if (!use.used) {
      warning.rule = rule;
      warning.message = rule.empty() ? "the suppression of every rule suppresses nothing"
                                     : "the suppression suppresses nothing";
    } else {
      continue;
    }
    file.warnings.push_back(std::move(warning));
  }
  m_uses.clear();
}
