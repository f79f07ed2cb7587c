// One host project: a localisation file or a folder of them, with the rule file kept beside it.
#pragma once

#include <string>
#include <vector>

#include "addin/HostInterfaceBases.h"

class HProject final : public KHostProjectBase {
 public:
  // The folder that holds a project's own rule files, inside the project folder (or beside the file).
  static constexpr const char* kRulesFolder = ".inline-patterns";

  // Collects the project's files and throws HError when the path does not exist, unless collectFiles is
  // false: the language server checks the documents it is given, and a new document's folder may not exist
  // yet (a project without rule files of its own). A non-empty rulesFile is used as the project's rule file
  // instead of the one in kRulesFolder.
  HProject(const std::string& path, const std::string& rulesFile, bool collectFiles = true);

  const std::string& Path() const { return m_path; }
  const std::string& Name() const { return m_name; }
  const std::vector<std::string>& Files() const { return m_files; }
  std::string AddInFilePath(const std::string& fileName) const;
  // The same project, without its file list, answering the module with this rule file instead.
  HProject WithRulesFile(const std::string& rulesFile) const;

  int32_t ZAKCALL GetProperty(int32_t property, VARIANT* out) override;
  int32_t ZAKCALL PrepareAddInFile(IAddInSite* site, const char16_t* name, int32_t zero) override;
  int32_t ZAKCALL GetAddInFilePath(IAddInSite* site, const char16_t* name, char16_t* buffer,
                                   int32_t capacity) override;

 private:
  std::string m_path;
  std::string m_name;
  std::string m_folder;
  std::string m_rulesFile;
  std::vector<std::string> m_files;
};
