// The module's check runs of one host run: one open at a time, for the project and the target language of
// the unit under check, since the module takes one project rule list per run.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "HCheckRun.h"
#include "HLanguageRules.h"
#include "HModule.h"
#include "HRunWarnings.h"
#include "HSuppressions.h"
#include "HToken.h"

class HLanguageRuns {
 public:
  // Units whose file declares no language are checked in defaultLanguage (empty: the common rules only).
  HLanguageRuns(HModule& module, HLanguageRules& rules, HToken& token, HRunWarnings& warnings,
                std::string defaultLanguage)
      : m_module(module),
        m_rules(rules),
        m_token(token),
        m_warnings(warnings),
        m_defaultLanguage(std::move(defaultLanguage)) {}
  // A run that an error left open is ended, so the module lets its rules go before it is unloaded.
  ~HLanguageRuns() { Finish(); }
  HLanguageRuns(const HLanguageRuns&) = delete;
  HLanguageRuns& operator=(const HLanguageRuns&) = delete;

  // Opens the project's run in the default language, so that the module reads its rules even when no unit
  // follows.
  void StartProject(HProject& project);
  // One file from start to finish: the units that read hands the sink are checked, but for those marked not
  // to be translated and, unless checkUntranslated, those nobody has translated yet, which are only counted;
  // checked follows each unit checked. A file the reader cannot read gets its error (HError) in file.error.
  using Reader = std::function<void(const HUnitSink&)>;
  void CheckFile(HFileResult& file, const Reader& read, bool checkUntranslated, ICheckOptions* options,
                 const HUnitSink& checked);
  // Checks the unit in its language's run, opening that run first when another one is open, and applies the
  // unit's suppressions.
  void Check(const HUnit& unit, ICheckOptions* options);
  // Ends the open run as the last: the module drops its rules and expression objects.
  void Finish();

 private:
  void StartFile(HFileResult& file);
  void FinishFile();
  void Open(const HLanguageRules::Rules& rules);
  void Close(bool isFinal);

  HModule& m_module;
  HLanguageRules& m_rules;
  HToken& m_token;
  HRunWarnings& m_warnings;
  std::string m_defaultLanguage;
  HProject* m_project = nullptr;
  HFileResult* m_file = nullptr;
  HSuppressions m_suppressions;
  HLanguageRules::Rules m_open{nullptr, nullptr};
  std::unique_ptr<HCheckRun> m_run;
};
