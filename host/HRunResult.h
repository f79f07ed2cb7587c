// What a check run produced: per file the units checked, the violations found and a read error, if any.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct HViolation {
  std::string file;
  long line = 0;    // where the translation's text starts; 0 when unknown
  long column = 0;  // 1-based, at the first match in the translation where there is one; 0 when unknown
  std::string unitId;
  std::string rule;     // the rule's name, when the module's message names one
  std::string message;  // the detail after the rule's name, or the whole message
  std::string source;   // the texts the violated rule checked: with tags or plain
  std::string translation;
  bool withTags = false;
};

// A file that could not be read completely, or a problem of the whole run (no file then).
struct HInputError {
  std::string file;
  long line = 0;  // 0 when unknown
  std::string message;
};

// A rule as its rule file defines it, for reports that describe the rules they name.
struct HRuleInfo {
  std::string name;
  std::string pattern;
  bool regex = false;
  bool caseSensitive = true;
  int method = 0;  // CheckMethod of the rule file
  int flags = 0;   // CheckFlags of the rule file
  bool withTags = false;
  std::string ruleFile;
};

// Something that made the run miss what it should have found: a rule's search stopped at a limit of the
// regular-expression service, or a pattern that does not compile (file then names the rule file).
struct HWarning {
  std::string file;
  long line = 0;
  std::string rule;  // empty when no rule of the rule files has the pattern
  std::string message;
  bool suppression = false;  // a suppression in the file that is malformed or suppresses nothing
};

struct HFileResult {
  std::string path;
  long units = 0;            // units checked
  long untranslated = 0;     // units skipped because nobody has translated them yet
  long notTranslatable = 0;  // units skipped because they are marked translate="no"
  std::vector<HViolation> violations;
  std::vector<HViolation> suppressed;  // violations that a suppression in the file accepts
  std::optional<HInputError> error;
  // What the check of this file found besides its violations; the run's lists take them over, in file
  // order, before the report (HRunResult::GatherFromFiles).
  std::vector<HWarning> warnings;
  std::vector<HRuleInfo> rules;  // the rules its violations and warnings name, each once

  void Describe(const HRuleInfo& rule) {
    for (const HRuleInfo& known : rules)
      if (known.name == rule.name) return;
    rules.push_back(rule);
  }
};

// What a baseline held back: its violations found again (taken out of the files' violations, which are
// then the new ones) and its entries for the files checked that no violation matches any more.
struct HBaselineResult {
  std::vector<HViolation> unchanged;
  std::vector<HViolation> absent;  // file, unit, rule and message only
};

class HResultSpill;

struct HRunResult {
  // A spilled file keeps its lists, in pieces, in the spill: ForEachOf shows them.
  std::vector<HFileResult> files;
  std::vector<HInputError> errors;  // problems outside any one file
  std::vector<HWarning> warnings;
  std::map<std::string, HRuleInfo> rules;   // by name: the rules that the violations and warnings name
  std::optional<HBaselineResult> baseline;  // with a baseline only
  std::shared_ptr<HResultSpill> spill;      // once a file is spilled; copies of the result share it

  using List = std::vector<HViolation> HFileResult::*;  // violations or suppressed

  // Moves the file's violations and suppressed ones so far to a temporary file until the report (they stay
  // in memory where none can be written).
  void Spill(size_t number);
  // The file's violations or suppressed ones in order, spilled and in memory, few in memory at a time.
  void ForEachOf(size_t number, List list, const std::function<void(const HViolation&)>& visit) const;
  long CountOf(size_t number, List list) const;
  // Changes the file's violations piece by piece, in order, keeping each where it is.
  void ChangeViolations(size_t number, const std::function<void(std::vector<HViolation>&)>& change);
  // Moves every file's warnings (after the run's own) and rule descriptions into the run's lists.
  void GatherFromFiles();
  long Units() const;
  long Untranslated() const;
  long NotTranslatable() const;
  long Violations() const;
  long Suppressed() const;
  bool HasStaleSuppressions() const;
  bool HasErrors() const;
};

inline void HRunResult::GatherFromFiles() {
  for (HFileResult& file : files) {
    warnings.insert(warnings.end(), file.warnings.begin(), file.warnings.end());
    for (const HRuleInfo& rule : file.rules) this->rules.emplace(rule.name, rule);
    file.warnings.clear();
    file.rules.clear();
  }
}

inline long HRunResult::Units() const {
  long total = 0;
  for (const HFileResult& file : files) total += file.units;
  return total;
}

inline long HRunResult::Untranslated() const {
  long total = 0;
  for (const HFileResult& file : files) total += file.untranslated;
  return total;
}

inline long HRunResult::NotTranslatable() const {
  long total = 0;
  for (const HFileResult& file : files) total += file.notTranslatable;
  return total;
}

inline bool HRunResult::HasStaleSuppressions() const {
  for (const HWarning& warning : warnings) {
    if (warning.suppression) return true;
  }
  return false;
}

inline bool HRunResult::HasErrors() const {
  if (!errors.empty()) return true;
  for (const HFileResult& file : files) {
    if (file.error) return true;
  }
  return false;
}
