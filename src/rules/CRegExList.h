// CRegExList: an ordered list of rules (it does not delete them by itself), loaded from and saved to its
// rule file.
#pragma once

#include <memory>
#include <string>

#include "rules/CRegExRule.h"
#include "support/KObArray.h"

class IHostProject;

class CRegExList : public KTypedPtrArray<CRegExRule> {
 public:
  // The global list's file: the add-in folder's settings.ini, or the legacy sibling folder's when missing.
  static std::u16string GlobalFilePath();
  void LoadGlobal(bool compile);
  // A project's list: empty when the project names no file.
  void LoadProject(IHostProject* project, bool compile);
  // Empties the list and reads the file; a file that cannot be opened leaves the list empty.
  void Load(const std::u16string& path, bool compile);
  // Appends the rules of the file's legacy section.
  void LoadLegacy(const std::u16string& path, bool compile);
  // Writes the list to its file, replacing it atomically; false when the file could not be written, which
  // the editor passes over in silence and a command line reports.
  bool Save();

  IHostProject* Project = nullptr;
  KTreeItem TreeItem = nullptr;

 private:
  // Appends a rule read from a file and, when asked, has the host compile its expression.
  void AppendLoaded(std::unique_ptr<CRegExRule> rule, bool compile);
  bool WriteReplacing(const std::u16string& path) const;
};
