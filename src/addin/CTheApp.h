// CTheApp: the module's application object, made when the module is loaded.
#pragma once

class CTheApp {
 public:
  // Start-up when the module is loaded: registers the common controls that the rule editor uses.
  bool InitInstance(void* moduleInstance);
  // The module's base address: what Windows calls its instance handle, the dli_fbase of dladdr elsewhere.
  void* ModuleInstance() const { return moduleInstance_; }

 private:
  void* moduleInstance_ = nullptr;
};

// The one application object; on first use outside Windows it starts up itself.
CTheApp& TheApp();
