// The module-wide host objects. The host calls the module on one thread only, so plain variables suffice.
#include "rules/HostContext.h"

namespace {
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
