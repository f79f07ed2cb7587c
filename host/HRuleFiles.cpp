// Locating, loading and saving rule files for the rule commands, and the choice of the check's global rules.
#include "HRuleFiles.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "HError.h"
#include "HInstallPaths.h"
#include "HLanguage.h"
#include "HLanguageRules.h"
#include "rules/CRegExList.h"
#include "rules/HostContext.h"
#include "support/KStdioFile.h"
#include "support/KUtf8.h"

namespace fs = std::filesystem;

namespace {

bool IsFile(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

}  // namespace

int HRuleList::IndexOf(const std::string& name) const {
  const std::u16string wanted = Utf8ToUtf16(name);
  for (int i = 0; i < GetSize(); ++i) {
    if (GetAt(i)->Name == wanted) return i;
  }
  return -1;
}

int HRuleList::ActiveRules() const {
  int active = 0;
  for (int i = 0; i < GetSize(); ++i) active += GetAt(i)->Active != 0 ? 1 : 0;
  return active;
}

HRuleFiles::HRuleFiles(const std::string& globalFolder, const std::string& projectPath,
                       const std::string& language, const std::string& projectRules)
    : m_globalFolder(globalFolder.empty() ? HAddInHost::DefaultGlobalFolder() : globalFolder),
      m_globalIsDefault(globalFolder.empty()),
      m_language(language) {
  if (!language.empty() && projectPath.empty())
    throw HError("--language needs the project whose rules it is");
  if (!projectPath.empty()) {
    m_project.emplace(projectPath, projectRules, false);
    m_commonFile = m_project->AddInFilePath(kRuleFile);
  }
  if (!language.empty()) m_project = m_project->WithRulesFile(HLanguage::RuleFile(m_commonFile, language));
  std::vector<HProject*> projects;
  if (m_project) projects.push_back(&*m_project);
  m_host = std::make_unique<HAddInHost>(m_globalFolder, projects, nullptr);
  SetHostContext(m_host.get(), m_host->Site());
}

HRuleFiles::~HRuleFiles() {
  SetHostContext(nullptr, nullptr);
}

std::string HRuleFiles::BundledFolder() {
  return HInstallPaths::BundledRulesFolder().string();
}

std::string HRuleFiles::Shown(const std::string& path) {
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0' || !path.starts_with(home)) return path;
  const std::string rest = path.substr(std::string(home).size());
  return rest.empty() || rest.front() == '/' ? "~" + rest : path;
}

std::string HRuleFiles::GlobalPath() const {
  return Utf16ToUtf8(CRegExList::GlobalFilePath());
}

bool HRuleFiles::HasGlobal() const {
  return IsFile(GlobalPath());
}

std::string HRuleFiles::ProjectPath() const {
  return m_project ? m_project->AddInFilePath(kRuleFile) : std::string();
}

std::unique_ptr<HRuleList> HRuleFiles::Load(bool toProject) {
  auto list = std::make_unique<HRuleList>();
  try {
    if (toProject)
      list->LoadProject(&*m_project, false);
    else
      list->LoadGlobal(false);
  } catch (const KFileException& error) {
    throw HError((toProject ? ProjectPath() : GlobalPath()) + ": " + Utf16ToUtf8(error.GetErrorMessage()));
  }
  return list;
}

std::vector<HRuleFiles::Loaded> HRuleFiles::LoadAll() {
  std::vector<Loaded> loaded;
  if (HasGlobal())
    loaded.push_back({"global", GlobalPath(), Load(false), ""});
  else
    loaded.push_back({"bundled", BundledPath(), LoadFile(BundledPath()), ""});
  if (!m_language.empty()) {
    loaded.push_back({"project", ProjectPath(),
                      HLanguageRules::Compose(m_commonFile, HLanguage::RuleFiles(m_commonFile, m_language)),
                      m_language});
  } else if (HasProject()) {
    loaded.push_back({"project", ProjectPath(), Load(true), ""});
  }
  return loaded;
}

std::unique_ptr<CRegExRule> HRuleFiles::FindRule(const std::string& name) {
  for (const Loaded& loaded : LoadAll()) {
    const int index = loaded.rules->IndexOf(name);
    if (index < 0) continue;
    auto rule = std::make_unique<CRegExRule>();
    rule->CopyFrom(*loaded.rules->GetAt(index));
    return rule;
  }
  throw HError("no rule named \"" + name + "\"");
}

std::vector<HRuleFiles::Loaded> HRuleFiles::LoadLanguages() {
  std::vector<Loaded> loaded;
  if (!HasProject()) return loaded;
  for (const auto& [language, path] : HLanguage::AllRuleFiles(m_commonFile))
    loaded.push_back({"language", path, LoadFile(path), language});
  return loaded;
}

std::string HRuleFiles::BundledPath() {
  return (fs::path(BundledFolder()) / kRuleFile).string();
}

std::unique_ptr<HRuleList> HRuleFiles::LoadFile(const std::string& path) {
  auto list = std::make_unique<HRuleList>();
  try {
    list->Load(Utf8ToUtf16(path), false);
  } catch (const KFileException& error) {
    throw HError(path + ": " + Utf16ToUtf8(error.GetErrorMessage()));
  }
  return list;
}

std::string HRuleFiles::Save(CRegExList& list) const {
  std::string path =
      list.Project != nullptr ? ProjectPath() : (fs::path(m_globalFolder) / kRuleFile).string();
  // The module makes a project's folder itself; the global folder is the user's to make, so it is made here.
  std::error_code error;
  if (list.Project == nullptr) fs::create_directories(m_globalFolder, error);
  if (!list.Save()) throw HError(path + ": cannot write the rule file");
  return path;
}

std::string HRuleFiles::GlobalFolderForCheck(const std::string& globalFolder,
                                             const std::vector<HProject>& projects, std::ostream& err) {
  // Nothing is checked without a project (--version): nothing to say then.
  if (projects.empty()) return globalFolder.empty() ? HAddInHost::DefaultGlobalFolder() : globalFolder;
  std::string folder;
  int globalActive = 0;
  {
    HRuleFiles files(globalFolder, "");
    folder = files.GlobalFolder();
    bool anyFile = files.HasGlobal();
    for (const HProject& project : projects) anyFile = anyFile || IsFile(project.AddInFilePath(kRuleFile));
    if (!anyFile) {
      std::string bundled = BundledFolder();
      const std::unique_ptr<HRuleList> rules = LoadFile(BundledPath());
      if (rules->GetSize() == 0)
        throw HError("no rule file in " + folder + ", and no bundled rule set at " + bundled);
      err << "inline-patterns: global rules: the bundled set of " << rules->GetSize()
          << " rules; `inline-patterns rules init"
          << (files.GlobalIsDefault() ? "" : " --global-dir " + folder) << "` copies it to " << Shown(folder)
          << " to edit it\n";
      return bundled;
    }
    if (files.HasGlobal()) globalActive = files.Load(false)->ActiveRules();
  }
  for (const HProject& project : projects) {
    const std::string projectFile = project.AddInFilePath(kRuleFile);
    if (globalActive > 0 || (IsFile(projectFile) && LoadFile(projectFile)->ActiveRules() > 0)) continue;
    throw HError("no active rule for " + project.Path() + " in " + (fs::path(folder) / kRuleFile).string() +
                 " or " + projectFile + ": nothing would be checked");
  }
  return folder;
}
