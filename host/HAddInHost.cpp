// The host object and add-in site handed to the module at initialisation.
#include "HAddInHost.h"

#include <cstdlib>

#include "HRegExp.h"
#include "HUtf.h"

HAddInHost::HAddInHost(std::string globalFolder, std::vector<HProject*> projects, HRegExpObserver* observer)
    : m_projects(std::move(projects)), m_observer(observer) {
  SetGlobalFolder(std::move(globalFolder));
}

void HAddInHost::SetGlobalFolder(std::string globalFolder) {
  m_globalFolder = std::move(globalFolder);
  // The module appends its own separator and file name.
  while (m_globalFolder.size() > 1 && m_globalFolder.back() == '/') m_globalFolder.pop_back();
}

std::string HAddInHost::DefaultGlobalFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && *config != '\0') return std::string(config) + "/inline-patterns";
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : ".") + "/.config/inline-patterns";
}

// The module's own resources are always used: this host offers no translated resource library.
int32_t HAddInHost::GetResourceLibrary(int32_t, void*, char16_t* buffer, int32_t capacity) {
  if (buffer != nullptr && capacity > 0) buffer[0] = 0;
  return 1;
}

int32_t HAddInHost::CreateRegExp(IHostRegExp** out, const char16_t* pattern, int32_t flags) {
  if (out == nullptr) return 1;
  *out = HRegExp::Create(pattern, flags, nullptr, m_observer);
  return *out == nullptr ? 1 : 0;
}

int32_t HAddInHost::GetProject(int32_t index, IHostProject** out) {
  if (out == nullptr) return 1;
  const bool valid = index >= 0 && static_cast<size_t>(index) < m_projects.size();
  *out = valid ? m_projects[static_cast<size_t>(index)] : nullptr;
  return 0;
}

int32_t HAddInHost::GetCurrentProject(IHostProject** out) {
  if (out == nullptr) return 1;
  *out = m_projects.empty() ? nullptr : m_projects.front();
  return 0;
}

int32_t HAddInHost::GetDataFolder(char16_t* buffer, int32_t capacity) {
  return CopyToBuffer(m_globalFolder, buffer, capacity);
}
