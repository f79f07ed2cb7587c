// What a check run produced: per file the units checked, the violations found and a read error, if any.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct HViolation {
  std::string file;
  long line = 0;
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

struct HFileResult {
  std::string path;
  long units = 0;            // units checked
  long untranslated = 0;     // units skipped because nobody has translated them yet
  long notTranslatable = 0;  // units skipped because they are marked translate="no"
  std::vector<HViolation> violations;
  std::optional<HInputError> error;
};

struct HRunResult {
  std::vector<HFileResult> files;
  std::vector<HInputError> errors;  // problems outside any one file
  long Units() const;
  long Untranslated() const;
  long NotTranslatable() const;
  long Violations() const;
  bool HasErrors() const;
};

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

inline long HRunResult::Violations() const {
  long total = 0;
  for (const HFileResult& file : files) total += static_cast<long>(file.violations.size());
  return total;
}

inline bool HRunResult::HasErrors() const {
  if (!errors.empty()) return true;
  for (const HFileResult& file : files) {
    if (file.error) return true;
  }
  return false;
}
