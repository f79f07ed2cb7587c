// Loading a resource library: LoadLibraryW on Windows (as the host expects of an add-in), dlopen and the
// library's table symbol elsewhere.
#include "support/KLibraryResources.h"

#include "support/KUtf8.h"

#ifdef _WIN32
#include "support/KWindowsApi.h"
#else
#include <dlfcn.h>
#endif

#ifdef _WIN32

KLibraryResources::~KLibraryResources() { FreeLibrary(static_cast<HMODULE>(library_)); }

std::unique_ptr<KResourceSource> LoadResourceLibrary(const std::u16string& path) {
  HMODULE library = LoadLibraryW(reinterpret_cast<LPCWSTR>(path.c_str()));
  if (library == nullptr) return nullptr;
  return std::make_unique<KLibraryResources>(library, library, nullptr);
}

#else

namespace {

// The name of the function a resource library exports; it returns the library's tables.
constexpr const char* kTableSymbol = "ZAKResourceTable";
using TableFunction = const KResourceTable* (*)();

}  // namespace

KLibraryResources::~KLibraryResources() { dlclose(library_); }

std::unique_ptr<KResourceSource> LoadResourceLibrary(const std::u16string& path) {
  if (path.empty()) return nullptr;  // dlopen of no name would hand out the main program
  void* library = dlopen(Utf16ToUtf8(path).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return nullptr;
  auto tables = reinterpret_cast<TableFunction>(dlsym(library, kTableSymbol));
  if (tables == nullptr || tables() == nullptr) {
    dlclose(library);
    return nullptr;
  }
  return std::make_unique<KLibraryResources>(library, nullptr, tables());
}

#endif
