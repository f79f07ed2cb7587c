// The module-wide check engine. The host calls on one thread only, so a plain pointer suffices; it is not a
// smart pointer on purpose: destroying it while the module unloads would call into host objects that may
// be gone by then.
#include "check/CheckEngine.h"

#include "check/CRegExChecker.h"

namespace {
CRegExChecker* g_engine = nullptr;
}  // namespace

CRegExChecker* CheckEngine() {
  return g_engine;
}

CRegExChecker& CreateCheckEngine() {
  if (g_engine == nullptr) g_engine = new CRegExChecker();
  return *g_engine;
}

void DestroyCheckEngine() {
  CRegExChecker* engine = g_engine;
  g_engine = nullptr;
  delete engine;
}
