// Checking a document as HApplication checks a file (HLanguageRuns::CheckFile), from its text in memory.
#include "HLspChecker.h"

#include <filesystem>
#include <sstream>

#include "HCheckOptions.h"
#include "HError.h"
#include "HInstallPaths.h"
#include "HLanguage.h"
#include "HLanguageRules.h"
#include "HLanguageRuns.h"
#include "HProject.h"
#include "HRuleFiles.h"
#include "HUnitReader.h"

namespace fs = std::filesystem;

namespace {

// The check's warnings hear of the expressions while the check runs, and only then.
class KObserving {
 public:
  KObserving(HRunWarnings*& slot, HRunWarnings& warnings) : m_slot(slot) { slot = &warnings; }
  KObserving(const KObserving&) = delete;
  KObserving& operator=(const KObserving&) = delete;
  ~KObserving() { m_slot = nullptr; }

 private:
  HRunWarnings*& m_slot;
};

}  // namespace

std::string HLspChecker::GlobalFolder(const std::string& projectFolder) const {
  std::vector<HProject> projects;
  projects.emplace_back(projectFolder, m_settings.projectRules, false);
  std::ostringstream ignored;  // the command line's note on the bundled rules: the editor has no use for it
  return HRuleFiles::GlobalFolderForCheck(m_settings.globalFolder, projects, ignored);
}

std::vector<std::string> HLspChecker::RuleFiles(const std::string& projectFolder) const {
  const HProject project(projectFolder, m_settings.projectRules, false);
  const std::string common = project.AddInFilePath(HRuleFiles::kRuleFile);
  std::vector<std::string> files{(fs::path(GlobalFolder(projectFolder)) / HRuleFiles::kRuleFile).string(),
                                 common};
  for (const auto& [language, file] : HLanguage::AllRuleFiles(common)) files.push_back(file);
  return files;
}

void HLspChecker::Load(const std::string& globalFolder) {
  if (m_module) return m_host->SetGlobalFolder(globalFolder);
  m_host = std::make_unique<HAddInHost>(globalFolder, std::vector<HProject*>(), &m_observer);
  const std::string path =
      m_settings.modulePath.empty() ? HInstallPaths::Module().string() : m_settings.modulePath;
  auto module = std::make_unique<HModule>(path);
  module->Register(m_host.get(), m_host->Site());
  m_module = std::move(module);
}

HLspChecker::Outcome HLspChecker::Check(const std::string& path, const std::string& projectFolder,
                                        const std::string& text, const std::function<bool()>& stale) {
  Outcome outcome;
  HProject project(projectFolder, m_settings.projectRules, false);
  std::string globalFolder;
  try {
    globalFolder = GlobalFolder(projectFolder);
  } catch (const HError& error) {
    outcome.error = HInputError{path, 0, error.what()};
    return outcome;
  }
  Load(globalFolder);
  HRunResult result;
  HRunWarnings warnings(m_token);
  warnings.SetResult(&result);
  const KObserving observing(m_observer.warnings, warnings);
  HCheckOptions options;
  HLanguageRules languageRules((fs::path(globalFolder) / HRuleFiles::kRuleFile).string());
  HFileResult file;
  file.path = path;
  std::vector<Finding> places;  // where the unit of each violation is
  {
    // A new module run for every check: the module reads the rule files as they are now.
    HLanguageRuns runs(*m_module, languageRules, m_token, warnings, m_settings.targetLanguage);
    runs.StartProject(project);
    runs.CheckFile(
        file, [&](const HUnitSink& sink) { HUnitReader::Read(path, text, sink); }, false, &options,
        [&](const HUnit& unit) {
          const std::string& language = unit.language.empty() ? m_settings.targetLanguage : unit.language;
          if (places.size() < file.violations.size())
            places.resize(file.violations.size(), Finding{{},
                                                          unit.targetLine,
                                                          unit.targetColumn,
                                                          unit.targetEndLine,
                                                          unit.targetEndColumn,
                                                          language});
          if (stale()) throw Abandoned();
        });
  }
  for (size_t i = 0; i < file.violations.size(); ++i) {
    places[i].violation = std::move(file.violations[i]);
    outcome.findings.push_back(std::move(places[i]));
  }
  outcome.error = std::move(file.error);
  outcome.warnings = std::move(result.warnings);
  outcome.warnings.insert(outcome.warnings.end(), file.warnings.begin(), file.warnings.end());
  outcome.rules = std::move(file.rules);
  return outcome;
}
