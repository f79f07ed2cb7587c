// The module-wide host objects. The host calls the module on one thread only, so plain variables suffice.
#include "rules/HostContext.h"

#include "addin/HostInterfaces.h"

namespace {
// The host fills fixed buffers of this many characters, terminator included.
constexpr int32_t kPathCapacity = 260;

IAddInHost* g_host = nullptr;
IAddInSite* g_site = nullptr;
}  // namespace

void SetHostContext(IAddInHost* host, IAddInSite* site) {
  g_host = host;
  g_site = site;
}

IAddInHost* AddInHost() {
  return g_host;
}

IAddInSite* AddInSite() {
  return g_site;
}

std::u16string AddInDataFolder() {
  char16_t buffer[kPathCapacity] = {};
  if (g_site != nullptr) g_site->GetDataFolder(buffer, kPathCapacity);
  buffer[kPathCapacity - 1] = 0;
  return buffer;
}
