// The application object: on Windows started by DllMain, elsewhere on first use.
#include "addin/CTheApp.h"

#ifdef _WIN32
#include "support/KWindowsApi.h"

#include <commctrl.h>
#else
#include <dlfcn.h>
#endif

namespace {

#ifdef _WIN32
CTheApp g_theApp;
#else
// Any address inside the module finds the module's base address.
const char g_anchor = 0;
#endif

}  // namespace

bool CTheApp::InitInstance(void* moduleInstance) {
  moduleInstance_ = moduleInstance;
#ifdef _WIN32
  InitCommonControls();
#endif
  return true;
}

#ifdef _WIN32
CTheApp& TheApp() {
  return g_theApp;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    g_theApp.InitInstance(instance);
  }
  return TRUE;
}
#else
CTheApp& TheApp() {
  static CTheApp app = [] {
    CTheApp started;
    Dl_info info{};
    started.InitInstance(dladdr(&g_anchor, &info) != 0 ? info.dli_fbase : nullptr);
    return started;
  }();
  return app;
}
#endif
