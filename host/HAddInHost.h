// The host services the module sees: IAddInHost (regular expressions, projects) and IAddInSite (data folder).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "HProject.h"
#include "HRegExp.h"
#include "addin/HostInterfaceBases.h"

class HAddInHost final : public KAddInHostBase, public KAddInSiteBase {
 public:
  // The projects are borrowed, the first is the current one. The observer, when one is given, learns of
  // the patterns that do not compile and the searches that stop at a limit; it must outlive the module's
  // expression objects.
  HAddInHost(std::string globalFolder, std::vector<HProject*> projects, HRegExpObserver* observer);

  IAddInSite* Site() { return this; }
  // The language server chooses the global folder for each check, as the rules found change.
  void SetGlobalFolder(std::string globalFolder);

  // The folder of the global rule file: $XDG_CONFIG_HOME/inline-patterns, else ~/.config/inline-patterns.
  static std::string DefaultGlobalFolder();

  int32_t ZAKCALL GetResourceLibrary(int32_t zero, void* moduleInstance, char16_t* buffer,
                                     int32_t capacity) override;
  int32_t ZAKCALL CreateRegExp(IHostRegExp** out, const char16_t* pattern, int32_t flags) override;
  int32_t ZAKCALL GetProject(int32_t index, IHostProject** out) override;
  int32_t ZAKCALL GetCurrentProject(IHostProject** out) override;

  int32_t ZAKCALL GetDataFolder(char16_t* buffer, int32_t capacity) override;

 private:
  std::string m_globalFolder;
  std::vector<HProject*> m_projects;
  HRegExpObserver* m_observer;
};
