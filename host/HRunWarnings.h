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
  // The token tells which unit is under check.
  explicit HRunWarnings(const HToken& token) : m_token(token) {}

  // The run's result, which takes the warnings outside files (null: they are lost), the rules of the
  // project under check, and its file under check (null between files), which takes those of its units.
  void SetResult(HRunResult* result) { m_result = result; }
  void SetRules(const HRuleTexts* rules) { m_rules = rules; }
  void SetFile(HFileResult* file) { m_file = file; }

  // A unit whose texts the reader could not read whole (an entity it does not expand, bytes that are not
  // UTF-8) is checked with what was read: a warning says that a violation may have been missed.
  void UnitRead(const HUnit& unit);

  void CompileFailed(const std::u16string& pattern, bool caseSensitive, const std::string& error) override;
  void LimitReached(const HRegExp& regExp, const char* limit) override;

 private:
  // One warning per rule that searches with the pattern; one without a rule when no rule file has it.
  // A pattern's failure to compile belongs to the run, a search's limit to the file under check.
  void Add(const std::string& pattern, bool caseSensitive, HFileResult* file, long line,
           const std::string& message);
  void AddOne(const HRuleInfo* rule, HFileResult* file, const std::string& where, long line,
              const std::string& message);

  const HToken& m_token;
  HRunResult* m_result = nullptr;
  const HRuleTexts* m_rules = nullptr;
  HFileResult* m_file = nullptr;
  // The module asks again for a pattern that failed each time it would search with it.
  std::set<std::pair<std::u16string, bool>> m_failedPatterns;
};
