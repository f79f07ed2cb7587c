// Composing a project's common and language rules into the one project rule list the module reads.
#include "HLanguageRules.h"

#include <cstdlib>
#include <system_error>

#include "HError.h"
#include "HLanguage.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kRuleFile = "settings.ini";  // the name the module asks its rule files by

fs::path MakeTemporaryFolder() {
  std::error_code error;
  std::string pattern = (fs::temp_directory_path(error) / "inline-patterns-XXXXXX").string();
  if (error || mkdtemp(pattern.data()) == nullptr)
    throw HError("cannot make a temporary folder for the language rules");
  return pattern;
}

}  // namespace

HLanguageRules::~HLanguageRules() {
  std::error_code ignored;
  if (!m_folder.empty()) fs::remove_all(m_folder, ignored);
}

std::unique_ptr<HRuleList> HLanguageRules::Compose(const std::string& commonFile,
                                                   const std::vector<std::string>& languageFiles) {
  std::unique_ptr<HRuleList> composed = HRuleFiles::LoadFile(commonFile);
  for (auto file = languageFiles.rbegin(); file != languageFiles.rend(); ++file) {
    const std::unique_ptr<HRuleList> language = HRuleFiles::LoadFile(*file);
    int lessSpecific = composed->GetSize();
    for (int i = 0; i < language->GetSize(); ++i) {
      CRegExRule* rule = language->GetAt(i);
      // The rule takes the place of the first one it replaces, so the order of the checks stays.
      bool placed = false;
      for (int j = 0; j < lessSpecific; ++j) {
        CRegExRule* earlier = composed->GetAt(j);
        if (earlier->Name != rule->Name || language->Find(earlier) >= 0) continue;
        delete earlier;
        if (placed) {
          composed->RemoveAt(j--);
          --lessSpecific;
        } else {
          composed->SetAt(j, rule);
          placed = true;
        }
      }
      if (!placed) composed->Add(rule);
    }
    language->RemoveAll();
  }
  return composed;
}

HLanguageRules::Rules HLanguageRules::For(HProject& project, std::string_view tag) {
  const auto key = std::make_pair(static_cast<const HProject*>(&project), std::string(tag));
  if (const auto known = m_byTag.find(key); known != m_byTag.end()) return known->second;
  return m_byTag[key] = Find(project, tag);
}

HLanguageRules::Rules HLanguageRules::Find(HProject& project, std::string_view tag) {
  const std::string commonFile = project.AddInFilePath(kRuleFile);
  std::vector<std::string> files = HLanguage::RuleFiles(commonFile, tag);
  auto [entry, added] = m_composed.try_emplace({&project, files});
  Composed& composed = entry->second;
  if (added) {
    try {
      if (!files.empty())
        composed.project =
            std::make_unique<HProject>(project.WithRulesFile(Write(*Compose(commonFile, files), project)));
      files.push_back(commonFile);
      composed.texts = std::make_unique<HRuleTexts>(m_globalFile, files);
    } catch (...) {
      m_composed.erase(entry);
      throw;
    }
  }
  return {composed.project ? composed.project.get() : &project, composed.texts.get()};
}

// Saved with the module's own rule-file code, through a project that names the composed file.
std::string HLanguageRules::Write(HRuleList& rules, const HProject& project) {
  if (m_folder.empty()) m_folder = MakeTemporaryFolder();
  std::string path = (m_folder / (std::to_string(m_composed.size()) + ".ini")).string();
  HProject target = project.WithRulesFile(path);
  rules.Project = &target;
  if (!rules.Save()) throw HError(path + ": cannot write the composed rule file");
  return path;
}
