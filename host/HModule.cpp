// Loading ZAKRegExChecks.zak and calling its exports in the order a host follows.
#include "HModule.h"

#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "HError.h"
#include "support/KUtf8.h"

namespace {

constexpr size_t kDescriptionBytes = 848;
constexpr size_t kDisplayNameOffset = 16;
constexpr size_t kDisplayNameUnits = 80;

// Every export a host resolves, whether or not this host calls it.
constexpr std::array<const char*, 10> kExports = {"ZAKFN_LoadAddIn",
                                                  "ZAKFN_Initialize",
                                                  "ZAKFN_Setup",
                                                  "ZAKFN_BeginCheckTokens",
                                                  "ZAKFN_CheckToken",
                                                  "ZAKFN_EndCheckTokens",
                                                  "ZAKFN_GetCustomCheckOption",
                                                  "ZAKFN_ExecuteTool",
                                                  "ZAKFN_GetErrorText",
                                                  "ZAKFN_GetToolInfo"};

}  // namespace

HModule::HModule(const std::string& path) {
  m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (m_handle == nullptr) throw HError("cannot load the module " + path + ": " + dlerror());
  try {
    for (const char* name : kExports) Resolve(name);
  } catch (...) {
    dlclose(m_handle);
    throw;
  }
  m_loadAddIn = reinterpret_cast<LoadAddInFn>(Resolve("ZAKFN_LoadAddIn"));
  m_initialize = reinterpret_cast<InitializeFn>(Resolve("ZAKFN_Initialize"));
  m_beginCheckTokens = reinterpret_cast<RunFn>(Resolve("ZAKFN_BeginCheckTokens"));
  m_checkToken = reinterpret_cast<CheckTokenFn>(Resolve("ZAKFN_CheckToken"));
  m_endCheckTokens = reinterpret_cast<RunFn>(Resolve("ZAKFN_EndCheckTokens"));
}

HModule::~HModule() {
  dlclose(m_handle);
}

void* HModule::Resolve(const char* name) {
  void* symbol = dlsym(m_handle, name);
  if (symbol == nullptr) throw HError(std::string("the module does not export ") + name);
  return symbol;
}

void HModule::Record(const char* name, int32_t result) {
  if (result == 0) return;
  // A module that fails every token must not grow the list by one line per token.
  const std::string failure = std::string(name) + " returned " + std::to_string(result);
  if (std::find(m_failures.begin(), m_failures.end(), failure) == m_failures.end())
    m_failures.push_back(failure);
}

void HModule::Register(IAddInHost* host, IAddInSite* site) {
  std::array<uint32_t, 13> table{};
  Record("ZAKFN_LoadAddIn", m_loadAddIn(table.data()));
  // Aligned for the 32-bit words the module writes into it.
  alignas(8) std::array<unsigned char, kDescriptionBytes> description{};
  Record("ZAKFN_Initialize", m_initialize(description.data(), host, site));
  std::u16string name(kDisplayNameUnits, u'\0');
  std::memcpy(name.data(), description.data() + kDisplayNameOffset, kDisplayNameUnits * sizeof(char16_t));
  name.resize(name.find(u'\0') == std::u16string::npos ? kDisplayNameUnits : name.find(u'\0'));
  m_displayName = Utf16ToUtf8(name);
}

void HModule::BeginCheckTokens(ICheckRun* run) {
  Record("ZAKFN_BeginCheckTokens", m_beginCheckTokens(0, run));
}

void HModule::CheckToken(IHostToken* token, ICheckOptions* options) {
  Record("ZAKFN_CheckToken", m_checkToken(token, 0, options));
}

void HModule::EndCheckTokens(ICheckRun* run) {
  Record("ZAKFN_EndCheckTokens", m_endCheckTokens(0, run));
}
