// The regex service's silent misses of a run made visible: patterns that do not compile and searches that
// stop at a limit, as warnings naming the rule and where it happened.
#pragma once

#include <set>
#include <string>
#include <utility>

#include "HRegExp.h"
#include "HRuleTexts.h"
#include "HRunResult.h"
#include "HToken.h"

class HRunWarnings final : public HRegExpObserver {
 public:
  // The token tells which unit of which file is under check.
  HRunWarnings(HRunResult& result, const HToken& token) : m_result(result), m_token(token) {}

  // The rules of the project under check, and its file under check (null between files).
  void SetRules(const HRuleTexts* rules) { m_rules = rules; }
  void SetFile(const HFileResult* file) { m_file = file; }

  void CompileFailed(const std::u16string& pattern, bool caseSensitive, const std::string& error) override;
  void LimitReached(const HRegExp& regExp, const char* limit) override;

 private:
  // One warning per rule that searches with the pattern; one without a rule when no rule file has it.
  void Add(const std::string& pattern, bool caseSensitive, const std::string& file, long line,
           const std::string& message);
  void AddOne(const HRuleInfo* rule, const std::string& file, long line, const std::string& message);

  HRunResult& m_result;
  const HToken& m_token;
  const HRuleTexts* m_rules = nullptr;
  const HFileResult* m_file = nullptr;
  // The module asks again for a pattern that failed each time it would search with it.
  std::set<std::pair<std::u16string, bool>> m_failedPatterns;
};
