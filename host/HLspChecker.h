// The language server's check of one document: its text in memory, read by the host's readers and checked
// by the add-in module with the rules the command line would apply to the file (global or bundled, project,
// language), each violation with the place of its unit's translation.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "HAddInHost.h"
#include "HModule.h"
#include "HRunResult.h"
#include "HRunWarnings.h"
#include "HToken.h"

class HLspChecker {
 public:
  struct Settings {
    std::string globalFolder;    // empty: the default one
    std::string projectRules;    // a rule file for every project instead of its own
    std::string modulePath;      // empty: the installed module
    std::string targetLanguage;  // of documents that declare none
  };
  // A violation and its unit's translation in the document: the readers' 1-based lines and columns, the
  // end just after the text (0 when the reader does not know it).
  struct Finding {
    HViolation violation;
    long line = 0;
    long column = 0;
    long endLine = 0;
    long endColumn = 0;
    std::string language;  // the unit's, which chooses its language rules
  };
  struct Outcome {
    std::vector<Finding> findings;
    std::optional<HInputError> error;  // the document does not parse, or no rule applies to it
    std::vector<HWarning> warnings;
    std::vector<HRuleInfo> rules;  // the rules the findings name
  };
  // Thrown out of Check when the document has changed meanwhile: the result would be stale.
  struct Abandoned {};

  explicit HLspChecker(Settings settings) : m_settings(std::move(settings)) {}

  // The document's path names its kind; its project rules are those of projectFolder. stale is asked after
  // each unit.
  Outcome Check(const std::string& path, const std::string& projectFolder, const std::string& text,
                const std::function<bool()>& stale);
  // The rule files the check of the project's documents reads: the global file (the bundled one without
  // any rule file), the project's and its languages'. Throws HError as the check does.
  std::vector<std::string> RuleFiles(const std::string& projectFolder) const;
  // The global rules folder of the project's check and the project rule file to name to rule commands.
  std::string GlobalFolder(const std::string& projectFolder) const;
  const Settings& GetSettings() const { return m_settings; }

 private:
  void Load(const std::string& globalFolder);

  // The module's expression objects keep the observer they were made with; each check has warnings of its
  // own, so that a pattern that does not compile is told of every time.
  class KObserver final : public HRegExpObserver {
   public:
    HRunWarnings* warnings = nullptr;
    void CompileFailed(const std::u16string& pattern, bool caseSensitive, const std::string& error) override {
      if (warnings != nullptr) warnings->CompileFailed(pattern, caseSensitive, error);
    }
    void LimitReached(const HRegExp& regExp, const char* limit) override {
      if (warnings != nullptr) warnings->LimitReached(regExp, limit);
    }
  };

  Settings m_settings;
  HToken m_token;
  KObserver m_observer;
  std::unique_ptr<HAddInHost> m_host;
  std::unique_ptr<HModule> m_module;
};
