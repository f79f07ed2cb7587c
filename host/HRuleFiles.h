// The rule files that the rule commands work on: where the global and a project's file are, the bundled rule
// set, and loading and saving them with the module's own rule-file code.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "HAddInHost.h"
#include "HProject.h"
#include "rules/CRegExList.h"

// A rule list that owns its rules.
class HRuleList : public CRegExList {
 public:
  HRuleList() = default;
  HRuleList(const HRuleList&) = delete;
  HRuleList& operator=(const HRuleList&) = delete;
  ~HRuleList() { DeleteAll(); }

  // The index of the first rule of that name, or -1.
  int IndexOf(const std::string& name) const;
  int ActiveRules() const;
};

class HRuleFiles {
 public:
  // One rule file as loaded: "global", "bundled" (the check's global rules without a global file) or
  // "project".
  // "language": the rules a project keeps for one language (language names it).
  struct Loaded {
    const char* scope;
    std::string path;
    std::unique_ptr<HRuleList> rules;
    std::string language;
  };

  static constexpr const char* kRuleFile = "settings.ini";
  static constexpr const char* kSamplesFile = "settings.samples.json";

  // An empty globalFolder is the default one; an empty projectPath names no project. While it lives, the
  // module's rule code (linked into this program) finds the global folder and compiles through its host.
  // With a language, the project's rule file is that language's, and the project rules that LoadAll
  // answers are the common ones with the language's laid over them, as the check composes them. A
  // projectRules file takes the place of the project's own, as --project-rules does for the check.
  HRuleFiles(const std::string& globalFolder, const std::string& projectPath,
             const std::string& language = "", const std::string& projectRules = "");
  ~HRuleFiles();
  HRuleFiles(const HRuleFiles&) = delete;
  HRuleFiles& operator=(const HRuleFiles&) = delete;

  // The folder of the rule set that comes with the program (HInstallPaths::BundledRulesFolder).
  static std::string BundledFolder();
  // The path as a user would type it: "~" for the home folder.
  static std::string Shown(const std::string& path);
  // The global folder the check uses: the given one while a rule file exists for the projects, else the
  // bundled one, which err is told of. Throws HError when a project would be checked with no active rule.
  static std::string GlobalFolderForCheck(const std::string& globalFolder,
                                          const std::vector<HProject>& projects, std::ostream& err);

  const std::string& GlobalFolder() const { return m_globalFolder; }
  bool GlobalIsDefault() const { return m_globalIsDefault; }
  // The file the module reads the global rules from (the legacy sibling folder's when it has one only).
  std::string GlobalPath() const;
  bool HasGlobal() const;
  bool HasProject() const { return m_project.has_value(); }
  std::string ProjectPath() const;

  // The global list, or the project's when toProject: a missing file gives an empty list, a damaged one
  // throws HError. The list remembers where it belongs, for Save.
  std::unique_ptr<HRuleList> Load(bool toProject);
  // The rules a check applies: the global file's (the bundled set's without one), then the project's.
  std::vector<Loaded> LoadAll();
  // A copy of the named rule: the global file's (the bundled set's without one), else the project's. Throws
  // HError when none has that name.
  std::unique_ptr<CRegExRule> FindRule(const std::string& name);
  // Each rule file the project keeps for a language, by the language folders' names.
  std::vector<Loaded> LoadLanguages();
  static std::string BundledPath();
  // Any rule file, read as the module reads it.
  static std::unique_ptr<HRuleList> LoadFile(const std::string& path);
  // Saves the list to its file (atomically, as the editor saves) and answers the file's path; throws
  // HError when it cannot be written.
  std::string Save(CRegExList& list) const;

 private:
  std::string m_globalFolder;
  bool m_globalIsDefault;
  std::optional<HProject> m_project;
  std::string m_language;
  std::string m_commonFile;  // the project's own rule file
  std::unique_ptr<HAddInHost> m_host;
};
