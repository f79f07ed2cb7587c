// The add-in module loaded as a host loads it: dlopen, its ten exports, registration and check runs.
#pragma once

#include <string>
#include <vector>

#include "addin/HostInterfaces.h"

class HModule {
 public:
  // Loads the module and resolves every export; throws HError naming what is missing.
  explicit HModule(const std::string& path);
  ~HModule();
  HModule(const HModule&) = delete;
  HModule& operator=(const HModule&) = delete;

  // ZAKFN_LoadAddIn and ZAKFN_Initialize; afterwards DisplayName() is the add-in's name.
  void Register(IAddInHost* host, IAddInSite* site);
  const std::string& DisplayName() const { return m_displayName; }

  void BeginCheckTokens(ICheckRun* run);
  void CheckToken(IHostToken* token, ICheckOptions* options);
  void EndCheckTokens(ICheckRun* run);

  // One line per export call that did not return 0.
  const std::vector<std::string>& Failures() const { return m_failures; }

 private:
  using LoadAddInFn = int32_t (*)(uint32_t*);
  using InitializeFn = int32_t (*)(void*, IAddInHost*, IAddInSite*);
  using RunFn = int32_t (*)(int32_t, ICheckRun*);
  using CheckTokenFn = int32_t (*)(IHostToken*, int32_t, ICheckOptions*);

  void* Resolve(const char* name);
  void Record(const char* name, int32_t result);

  void* m_handle = nullptr;
  LoadAddInFn m_loadAddIn = nullptr;
  InitializeFn m_initialize = nullptr;
  RunFn m_beginCheckTokens = nullptr;
  CheckTokenFn m_checkToken = nullptr;
  RunFn m_endCheckTokens = nullptr;
  std::string m_displayName;
  std::vector<std::string> m_failures;
};
