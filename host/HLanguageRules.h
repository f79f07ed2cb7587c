// The rules a project's units are checked with in each target language: the project's rule file, with the
// rule files it keeps for the language laid over it in a rule list composed for the run.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "HProject.h"
#include "HRuleFiles.h"
#include "HRuleTexts.h"

class HLanguageRules {
 public:
  // What the module is handed for one language: a project that names its rule file, and the rules' texts.
  struct Rules {
    HProject* project;
    const HRuleTexts* texts;
  };

  explicit HLanguageRules(std::string globalFile) : m_globalFile(std::move(globalFile)) {}
  // Removes the composed rule files: the user's rule files are only ever read.
  ~HLanguageRules();
  HLanguageRules(const HLanguageRules&) = delete;
  HLanguageRules& operator=(const HLanguageRules&) = delete;

  // The common list with each language file laid over it (languageFiles most specific first): a rule
  // replaces every rule of its name that a less specific file has. Throws HError for a damaged file.
  static std::unique_ptr<HRuleList> Compose(const std::string& commonFile,
                                            const std::vector<std::string>& languageFiles);
  // The rules for a unit of the project in this language (an empty tag: the common rules). Languages that
  // find the same files share one composed project, so the module reads no rule file again for them.
  Rules For(HProject& project, std::string_view tag);

 private:
  struct Composed {
    std::unique_ptr<HProject> project;  // null: the project itself, without language rules
    std::unique_ptr<HRuleTexts> texts;
  };
  Rules Find(HProject& project, std::string_view tag);
  std::string Write(HRuleList& rules, const HProject& project);

  std::string m_globalFile;
  std::filesystem::path m_folder;  // the composed files' temporary folder, made when first needed
  std::map<std::pair<const HProject*, std::vector<std::string>>, Composed> m_composed;
  // The rules found for each project and tag: the folders are looked at once, not for every unit.
  std::map<std::pair<const HProject*, std::string>, Rules> m_byTag;
};
