// Writes the violations of a run for people (text, HTML) or for tools and CI (JSON, JUnit XML, SARIF 2.1.0).
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "HOptions.h"
#include "HRunResult.h"

class HReporter {
 public:
  // SARIF names the files inside baseFolder (empty: the current folder) relative to it.
  HReporter(HFormat format, bool colour, bool verbose, const std::string& baseFolder = "");

  // What the reports say about a rule that a result or notification names.
  struct Rule {
    std::string name;
    std::string id;
    const HRuleInfo* info = nullptr;  // null for a rule that no rule file defines
    std::string ShortDescription() const;
    std::string FullDescription() const;
    std::string Help() const;
  };

  void Write(const HRunResult& result, std::ostream& out) const;

  static std::string JsonString(const std::string& text);
  static std::string XmlEscape(const std::string& text);
  // "file:line:column", as far as they are known (0: not known).
  static std::string Position(const std::string& file, long line, long column = 0);
  // One line for standard error: "file:line: error: message".
  static std::string ErrorLine(const HInputError& error);
  // One line for standard error: "file:line: warning: message [rule]".
  static std::string WarningLine(const HWarning& warning);
  // A rule's identifier in every report: from its name only, so that editing its pattern keeps its alerts.
  static std::string RuleId(const std::string& ruleName);

 private:
  static std::vector<Rule> RulesOf(const HRunResult& result);
  static std::vector<HInputError> Errors(const HRunResult& result);
  static std::string JsonError(const HInputError& error);
  static size_t RuleIndex(const std::vector<Rule>& rules, const std::string& name);
  void WriteText(const HRunResult& result, std::ostream& out) const;
  void WriteJson(const HRunResult& result, std::ostream& out) const;
  static void WriteJsonViolations(const HRunResult& result, HRunResult::List list, const char* name,
                                  std::ostream& out);
  void WriteJUnit(const HRunResult& result, std::ostream& out) const;
  void WriteSarif(const HRunResult& result, std::ostream& out) const;
  std::string Paint(const std::string& text, const char* code) const;
  // SARIF's view of a file: relative to the base folder when inside it, else an absolute file URI.
  std::string ArtifactLocation(const std::string& path) const;
  // An artifact location (empty: none) with its region.
  static std::string SarifLocations(const std::string& artifact, long line, long column);
  // baselineState: null without a baseline.
  std::string SarifResult(const HViolation& violation, const std::vector<Rule>& rules,
                          const char* baselineState, bool suppressed) const;
  std::string SarifNotification(const char* level, const std::string& file, long line,
                                const std::string& message, const std::vector<Rule>& rules,
                                const std::string& ruleName) const;

  HFormat m_format;
  bool m_colour;
  bool m_verbose;
  std::filesystem::path m_baseFolder;  // absolute
};
