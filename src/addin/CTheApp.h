// CTheApp: the module's application object, made when the module is loaded.
#pragma once

#include <string>

class CTheApp {
 public:
  // Start-up when the module is loaded: registers the common controls that the rule editor uses.
  bool InitInstance(void* moduleInstance);
  // The module's base address: what Windows calls its instance handle, the dli_fbase of dladdr elsewhere.
  void* ModuleInstance() const { return moduleInstance_; }
  // The module file's name without folder and extension ("ZAKRegExChecks"): the application name under
  // which its dialogs keep their placements.
  const std::u16string& ModuleName() const { return moduleName_; }

 private:
  void* moduleInstance_ = nullptr;
  std::u16string moduleName_;
};

// The one application object; on first use outside Windows it starts up itself.
CTheApp& TheApp();
