// The application object: on Windows started by DllMain, elsewhere on first use.
#include "addin/CTheApp.h"

#ifdef _WIN32
#include "support/KWindowsApi.h"

#include <commctrl.h>
#else
#include <dlfcn.h>

#include "support/KUtf8.h"
#endif

namespace {

#ifdef _WIN32
CTheApp g_theApp;
#else
// Any address inside the module finds the module's base address.
const char g_anchor = 0;
#endif

// The module's file path as the loader knows it.
std::u16string ModulePath([[maybe_unused]] void* moduleInstance) {
#ifdef _WIN32
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(static_cast<HMODULE>(moduleInstance), path, MAX_PATH);
  return std::u16string(reinterpret_cast<const char16_t*>(path), length);
#else
  Dl_info info{};
  if (dladdr(&g_anchor, &info) == 0 || info.dli_fname == nullptr) return {};
  return Utf8ToUtf16(info.dli_fname);
#endif
}

std::u16string NameWithoutFolderAndExtension(std::u16string path) {
  const size_t slash = path.find_last_of(u"/\\");
  if (slash != std::u16string::npos) path.erase(0, slash + 1);
  const size_t dot = path.rfind(u'.');
  if (dot != std::u16string::npos && dot > 0) path.erase(dot);
  return path;
}

}  // namespace

bool CTheApp::InitInstance(void* moduleInstance) {
  moduleInstance_ = moduleInstance;
  moduleName_ = NameWithoutFolderAndExtension(ModulePath(moduleInstance));
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
